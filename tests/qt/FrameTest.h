// Helpers for the Qt tests, and a shown main frame over real files in a
// temporary directory with fake messages and dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <set>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/document/CVeskDoc.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "qt/QtFileSystem.h"
#include "qt/QtMainFrame.h"
#include "qt/QtText.h"

namespace quarn::qt::testing {

// Calls act with the modal widget as soon as one is shown (polled from the
// event loop that the modal dialog runs).
inline void WhenModalShown(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    }
  });
  timer->start();
}

// A key pressed and released on widget.
inline void Press(QWidget* widget, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(widget, &event);
  }
}

// Clicks the accepting button of the dialog's button box.
inline void PressOk(QWidget* dialog) {
  auto* box = dialog->findChild<QDialogButtonBox*>();
  ASSERT_TRUE(box);
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) return b->click();
  FAIL() << "no OK button";
}

// Polls done, running the event loop, until it holds or ms pass.
inline bool WaitFor(const std::function<bool()>& done, int ms = 60000) {
  QDeadlineTimer deadline(ms);
  while (!done() && !deadline.hasExpired()) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return done();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The number of distinct colours in the picture, counted up to 3.
inline std::size_t Colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height() && colours.size() < 3; y += 2)
    for (int x = 0; x < image.width() && colours.size() < 3; x += 2) colours.insert(image.pixel(x, y));
  return colours.size();
}

// The document's bytes.
inline std::string TextOf(CVeskDoc& doc) {
  std::string out(doc.TextLength(), '\0');
  if (!out.empty()) doc.Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc.TextLength());
  return out;
}

class FrameTest : public ::testing::Test {
 protected:
  FrameTest() {
    Platform().files = &files;
    frame.resize(900, 600);
    frame.show();
  }
  ~FrameTest() override { Documents().CloseAll(); }
  // Writes name in the temporary directory and answers its path.
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    WriteFile(path, bytes);
    return path;
  }
  CVeskDoc* Open(const QString& name, const QByteArray& bytes, int mode) {
    CVeskDoc* doc = OpenInMode(Documents(), PathToCp932(Write(name, bytes)), mode, false);
    QApplication::processEvents();
    return doc;
  }
  fakes::FakePlatform platform;
  QtFileSystem files;
  QTemporaryDir dir;
  QtMainFrame frame;
};

}  // namespace quarn::qt::testing
