// A shown main frame over real files in a temporary directory, with the
// fake messages and dialogs; every document is closed at the end.
#pragma once

#include <QTemporaryDir>

#include "QtTestUtil.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/document/CVeskDoc.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "qt/QtFileSystem.h"
#include "qt/QtMainFrame.h"
#include "qt/QtText.h"

namespace quarn::qt::testing {

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
