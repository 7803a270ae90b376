// The program's CP932 strings as Qt strings and back.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <string>

namespace quarn::qt {

QString ToQString(const std::string& cp932);
// Characters that CP932 cannot hold become "?".
std::string ToCp932(const QString& text);

// File names (platform/FileNames.h). A path as Qt gives it in the program's
// form: every name keeps its own characters and bytes.
std::string PathToCp932(const QString& path);
// The operating system's bytes of a path the program holds.
QByteArray PathToOs(const std::string& cp932);
// A path for Qt's own calls (dialogs); a byte that is not UTF-8 cannot
// travel in a QString and becomes U+FFFD.
QString PathToQString(const std::string& cp932);
// A text holding file names, as titles, lists and messages show it.
QString DisplayText(const std::string& cp932);

// The local file of a dropped file's URL in the program's form; the URL's
// percent escapes carry the name's bytes as they are on disk.
std::string DroppedPath(const QUrl& url);

// The bytes of a path Qt gives. Qt shows a byte that is not UTF-8 as
// U+FFFD; such a path is matched against the directory entries to find the
// name on disk.
QByteArray OsBytesOf(const QString& path);

}  // namespace quarn::qt
