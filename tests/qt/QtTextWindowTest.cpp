// A user's round with a text document: open a Shift_JIS file in text mode
// in the real frame, look at it, copy it whole through the system
// clipboard, and try to change it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/document/CVeskDoc.h"
#include "fakes/FakePlatform.h"
#include "qt/QtClipboard.h"
#include "qt/QtFileSystem.h"
#include "qt/QtMainFrame.h"
#include "qt/QtText.h"
#include "qt/QtTextWindow.h"

namespace quarn::qt {
namespace {

void Press(QWidget* widget, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

TEST(QtTextWindowTest, OpenReadCopyAndTryToChangeAShiftJisText) {
  fakes::FakePlatform platform;
  QtFileSystem files;
  QtClipboard clipboard;
  Platform().files = &files;
  Platform().clipboard = &clipboard;
  QTemporaryDir dir;
  const QByteArray bytes("int main() {\r\n\t/* \x93\xfa\x96\x7b\x8c\xea */ return 0;\r\n}\r\n");
  const QString path = dir.filePath(QStringLiteral("text.c"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QtMainFrame frame;
  frame.resize(900, 600);
  frame.show();
  CVeskDoc* doc = OpenInMode(Documents(), ToCp932(path), kOpenText, false);
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->DocKind(), kTextDoc);
  QApplication::processEvents();
  auto* window = frame.findChild<QtTextWindow*>();
  ASSERT_TRUE(window);
  ASSERT_TRUE(window->isVisible());
  window->setFocus();

  const QImage image = window->grab().toImage();
  int dark = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) {
      if (qGray(image.pixel(x, y)) < 100) ++dark;
    }
  EXPECT_GT(dark, 50) << "no text drawn";

  EXPECT_TRUE(frame.runCommand(32803));
  EXPECT_TRUE(frame.runCommand(57634));
  std::string copied;
  ASSERT_TRUE(clipboard.getText(copied));
  EXPECT_EQ(QByteArray::fromStdString(copied), bytes);

  Press(window, Qt::Key_End, QString());
  Press(window, Qt::Key_A, QStringLiteral("a"));
  Press(window, Qt::Key_Delete, QString());
  Press(window, Qt::Key_Backspace, QStringLiteral("\b"));
  Press(window, Qt::Key_V, QString(), Qt::ControlModifier);
  frame.runCommand(57637);
  frame.runCommand(57635);
  std::string text(doc->TextLength(), '\0');
  doc->Store().Read(reinterpret_cast<std::uint8_t*>(text.data()), 0, doc->TextLength());
  EXPECT_EQ(QByteArray::fromStdString(text), bytes);
  EXPECT_TRUE(platform.beep.beeps.empty());
  Documents().CloseAll();
}

}  // namespace
}  // namespace quarn::qt
