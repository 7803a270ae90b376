#include "qt/QtScreenshot.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "qt/QtFileSystem.h"
#include "qt/QtText.h"

namespace quarn::qt {

QImage GrabFrameWithMenu(QMainWindow& frame) {
  QImage image = frame.grab().toImage();
  QMenuBar* bar = frame.menuBar();
  if (bar->actions().isEmpty() || !bar->actions().first()->menu()) return image;

  // The popup is a window of its own: grab it apart and paint it where it
  // opens below its menu title.
  QMenu* menu = bar->actions().first()->menu();
  const QRect title = bar->actionGeometry(bar->actions().first());
  const QPoint below = bar->mapTo(&frame, title.bottomLeft() + QPoint(0, 1));
  menu->popup(frame.mapToGlobal(below));
  QApplication::processEvents();
  const QImage popup = menu->grab().toImage();
  menu->hide();

  QPainter painter(&image);
  painter.drawImage(below * (image.devicePixelRatio()), popup);
  return image;
}

bool SaveScreenshot(QMainWindow& frame, const QString& path) {
  // With a document open the document is the picture; without one the
  // File menu shows what can be done.
  const bool documents = frame.findChild<QMdiSubWindow*>() != nullptr;
  const QImage image = documents ? frame.grab().toImage() : GrabFrameWithMenu(frame);
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
  return QtFileSystem().writeAll(PathToCp932(path), png.toStdString());
}

}  // namespace quarn::qt
