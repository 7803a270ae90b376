// A program tool added through the real customisation sheet runs from the
// user tools' menu and its output becomes a new text document.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "QtTestUtil.h"
#include "core/app/CDataFile.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/document/CVeskDoc.h"
#include "core/operations/CMenuToolManeger.h"
#include "fakes/FakePlatform.h"
#include "platform/PosixProcessService.h"
#include "qt/QtFileSystem.h"
#include "qt/QtKeyDialog.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtText.h"
#include "qt/QtRunDialogs.h"

namespace quarn::qt {
namespace {

// Chooses the first entry of the popup menu that opens next.
void ChooseFirstInNextPopup() {
  QTimer::singleShot(10, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return ChooseFirstInNextPopup();
    menu->setActiveAction(menu->actions().first());
    testing::Press(menu, Qt::Key_Return, {});
  });
}

TEST(QtUserToolsTest, AToolAddedInTheSheetRunsFromItsMenuIntoANewDocument) {
  fakes::FakePlatform platform;
  QtFileSystem files;
  Platform().files = &files;
  PosixProcessService processes;
  Platform().processes = &processes;
  QtKeyDialogs sheets;
  KeyDialogs() = &sheets;
  QtRunDialogs runDialogs;
  RunDialogs() = &runDialogs;
  const CMenuToolManeger saved = gMenuTools;
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("a.c"));
  QFile file(source);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("int x;\n");
  file.close();

  QtMainFrame frame;
  frame.show();
  CVeskDoc* doc = OpenInMode(Documents(), PathToCp932(source), kOpenText, false);
  ASSERT_TRUE(doc);
  platform.dialogs.fileAnswers = {"/bin/echo"};
  testing::WhenModalShown([](QWidget* sheet) {
    ChooseFirstInNextPopup();
    sheet->findChild<QPushButton*>(QStringLiteral("toolNew"))->click();
    auto* parameters = sheet->findChild<QLineEdit*>(QStringLiteral("toolParameters"));
    parameters->setText(QStringLiteral("$f"));
    emit parameters->textEdited(parameters->text());
    sheet->findChild<QCheckBox*>(QStringLiteral("toolRedirect"))->setChecked(true);
    static_cast<QDialog*>(sheet)->accept();
  });
  EXPECT_TRUE(frame.runCommand(32873));
  ASSERT_EQ(gMenuTools.tools.size(), 1u);
  EXPECT_EQ(gMenuTools.tools[0].title, "Echo");
  frame.MenusChanged();
  QApplication::processEvents();
  QAction* item = FindCommand(*frame.menuBar(), CMenuToolManeger::kFirstToolCommand);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->text(), QStringLiteral("Echo"));

  EXPECT_TRUE(frame.runCommand(CMenuToolManeger::kFirstToolCommand));
  ASSERT_EQ(Documents().Count(), 2u);
  CVeskDoc& result = Documents().At(1);
  std::string text(result.TextLength(), '\0');
  result.Store().Read(reinterpret_cast<std::uint8_t*>(text.data()), 0, result.TextLength());
  EXPECT_EQ(text, PathToCp932(source) + "\r\n");

  Documents().CloseAll();
  QFile::remove(PathToQString(DataFilePath()));
  gMenuTools = saved;
  KeyDialogs() = nullptr;
  RunDialogs() = nullptr;
  Platform().processes = nullptr;
}

}  // namespace
}  // namespace quarn::qt
