#include "qt/QtText.h"

#include <QFile>
#include <dirent.h>
#include <sys/stat.h>

#include "platform/Cp932Codec.h"
#include "platform/FileNames.h"

namespace quarn::qt {
namespace {

bool Exists(const QByteArray& bytes) {
  struct stat info;
  return ::lstat(bytes.constData(), &info) == 0;
}

// The one entry of directory whose name Qt shows as leaf; empty when none
// or more than one does.
QByteArray MatchEntry(const QByteArray& directory, const QString& leaf) {
  DIR* dir = ::opendir(directory.isEmpty() ? "/" : directory.constData());
  if (!dir) return {};
  QByteArray match;
  int matches = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (QFile::decodeName(entry->d_name) != leaf) continue;
    match = entry->d_name;
    ++matches;
  }
  ::closedir(dir);
  return matches == 1 ? match : QByteArray();
}

}  // namespace

QString ToQString(const std::string& cp932) { return QString::fromStdU16String(codec::Cp932ToUtf16(cp932)); }

std::string ToCp932(const QString& text) { return codec::Utf16ToCp932(text.toStdU16String()); }

std::string PathToCp932(const QString& path) { return names::FromOs(OsBytesOf(path).toStdString()); }

QByteArray PathToOs(const std::string& cp932) { return QByteArray::fromStdString(names::ToOs(cp932)); }

QString PathToQString(const std::string& cp932) { return QFile::decodeName(PathToOs(cp932)); }

QString DisplayText(const std::string& cp932) { return QString::fromStdU16String(names::ToDisplay(cp932)); }

std::string DroppedPath(const QUrl& url) {
  const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  return names::FromOs(bytes.toStdString());
}

QByteArray OsBytesOf(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  if (!path.contains(QChar(0xFFFD)) || Exists(bytes)) return bytes;
  const qsizetype slash = path.lastIndexOf(u'/');
  if (slash < 0) return bytes;
  const QByteArray directory = OsBytesOf(path.left(slash));
  const QByteArray entry = MatchEntry(directory, path.mid(slash + 1));
  return entry.isEmpty() ? bytes : directory + '/' + entry;
}

}  // namespace quarn::qt
