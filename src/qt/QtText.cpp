#include "qt/QtText.h"

#include "platform/Cp932Codec.h"

namespace quarn::qt {

QString ToQString(const std::string& cp932) { return QString::fromStdU16String(codec::Cp932ToUtf16(cp932)); }

std::string ToCp932(const QString& text) { return codec::Utf16ToCp932(text.toStdU16String()); }

}  // namespace quarn::qt
