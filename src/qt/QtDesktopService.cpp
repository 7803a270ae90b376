#include "qt/QtDesktopService.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "qt/QtText.h"

namespace quarn::qt {

void QtDesktopService::showAbout(const AboutBoxRequest& request) {
  const QString text = QStringLiteral("<p><b>%1</b></p><p>%2<br>%3</p>")
                           .arg(ToQString(request.program).toHtmlEscaped(), ToQString(request.version).toHtmlEscaped(),
                                ToQString(request.build).toHtmlEscaped());
  QMessageBox::about(parent_, ToQString(request.title), text);
}

bool QtDesktopService::openAddress(const std::string& address) {
  const bool path = !address.empty() && address[0] == '/';
  const QUrl url = path ? QUrl::fromLocalFile(PathToQString(address)) : QUrl(ToQString(address));
  return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace quarn::qt
