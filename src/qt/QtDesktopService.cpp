#include "qt/QtDesktopService.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "core/res/Texts.h"
#include "qt/QtText.h"

namespace quarn::qt {

void QtDesktopService::showAbout(const AboutBoxRequest& request) {
  QString text = QStringLiteral("<p><b>%1</b></p><p>%2<br>%3</p>")
                     .arg(ToQString(request.program).toHtmlEscaped(), ToQString(request.version).toHtmlEscaped(),
                          ToQString(request.build).toHtmlEscaped());
  if (!request.manual.empty()) {
    const QString page = PathToQString(request.manual);
    const QString link = QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(QUrl::fromLocalFile(page).toString().toHtmlEscaped(), page.toHtmlEscaped());
    text += QStringLiteral("<p>%1</p>").arg(ToQString(texts::kAboutManual).toHtmlEscaped().replace(QStringLiteral("%1"), link));
  }
  QMessageBox::about(parent_, ToQString(request.title), text);
}

bool QtDesktopService::openAddress(const std::string& address) {
  const bool path = !address.empty() && address[0] == '/';
  const QUrl url = path ? QUrl::fromLocalFile(PathToQString(address)) : QUrl(ToQString(address));
  return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace quarn::qt
