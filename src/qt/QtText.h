// The program's CP932 strings as Qt strings and back.
#pragma once

#include <QString>
#include <string>

namespace quarn::qt {

QString ToQString(const std::string& cp932);
// Characters that CP932 cannot hold become "?".
std::string ToCp932(const QString& text);

}  // namespace quarn::qt
