#include "qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "qt/QtText.h"

namespace quarn::qt {

namespace {

const QString kCp932Mime = QStringLiteral("application/x-quarn-cp932");

QString MimeFor(const std::string& format) { return QStringLiteral("application/x-quarn-") + QString::fromStdString(format); }

QClipboard* SystemClipboard() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr; }

std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

QMimeData* TextMime(const std::string& cp932) {
  auto* mime = new QMimeData;
  mime->setText(ToQString(cp932));
  mime->setData(kCp932Mime, QByteArray(cp932.data(), qsizetype(cp932.size())));
  return mime;
}

}  // namespace

bool QtClipboard::hasText() {
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
  return mime && (mime->hasText() || mime->hasFormat(kCp932Mime));
}

bool QtClipboard::getText(std::string& text) {
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
  if (!mime) return false;
  if (mime->hasFormat(kCp932Mime)) {
    const QByteArray bytes = mime->data(kCp932Mime);
    text = UpToNul(std::string(bytes.constData(), std::size_t(bytes.size())));
    return true;
  }
  if (!mime->hasText()) return false;
  text = UpToNul(ToCp932(mime->text()));
  return true;
}

bool QtClipboard::setText(const std::string& text) {
  QClipboard* clipboard = SystemClipboard();
  if (!clipboard) return false;
  clipboard->setMimeData(TextMime(UpToNul(text)));
  return true;
}

bool QtClipboard::setTextWithData(const std::string& text, const std::string& format,
                                  const std::vector<std::uint8_t>& bytes) {
  QClipboard* clipboard = SystemClipboard();
  if (!clipboard) return false;
  QMimeData* mime = TextMime(UpToNul(text));
  mime->setData(MimeFor(format), QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
  clipboard->setMimeData(mime);
  return true;
}

bool QtClipboard::getData(const std::string& format, std::vector<std::uint8_t>& bytes) {
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
  const QString type = MimeFor(format);
  if (!mime || !mime->hasFormat(type)) return false;
  const QByteArray data = mime->data(type);
  bytes.assign(data.begin(), data.end());
  return true;
}

}  // namespace quarn::qt
