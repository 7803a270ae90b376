// The text tools used as a user would, through the main frame and their
// dialogs.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "FrameTest.h"
#include "core/app/ToolCommands.h"
#include "core/commands/CommandIds.h"
#include "core/textview/CVeskEV.h"
#include "core/tools/CConvManeger.h"
#include "core/tools/CExtractManeger.h"
#include "core/tools/CFormManeger.h"
#include "qt/QtToolDialogs.h"

namespace quarn::qt {
namespace {

using testing::PressOk;
using testing::TextOf;

class QtToolsTest : public testing::FrameTest {
 protected:
  QtToolsTest() {
    ToolDialogs() = &dialogs;
    gExtract = CExtractManeger();
    gConv = CConvManeger();
    gForm = CFormManeger();
    ForgetCompareResult();
  }
  ~QtToolsTest() override { ToolDialogs() = nullptr; }
  QtToolDialogs dialogs;
};

// Extraction keeps the blocks of a captured log.
TEST_F(QtToolsTest, ExtractionConversionFormattingAndComparison) {
  const std::string more = gExtract.step1[0].text, subject = gExtract.starts[0].text, after = gExtract.ends[0].text;
  const std::string log = "From: a\r\n" + subject + "one\r\nbody\r\n" + more + "\r\nhidden\r\ntail\r\n" + after + "\r\n";
  ASSERT_TRUE(Open(QStringLiteral("log.txt"), QByteArray::fromStdString(log), kOpenText));
  bool resultShown = false;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* sheet = qobject_cast<QtExtractSheet*>(modal);
    ASSERT_TRUE(sheet && sheet->pages()->count() == 3);
    testing::WhenModalShown([&](QWidget* result) {
      resultShown = true;
      PressOk(result);
    });
    sheet->accept();
  });
  EXPECT_TRUE(frame.runCommand(cmd::kExtractLines));
  EXPECT_TRUE(resultShown);
  ASSERT_EQ(Documents().Count(), 2u);
  EXPECT_EQ(TextOf(Documents().At(1)), "From: a\r\n" + subject + "one\r\nbody\r\ntail\r\n");
  Documents().CloseAll();

  // Conversion of a selection stays open on a bad row.
  CVeskDoc* doc = Open(QStringLiteral("kana.txt"), QByteArray("x\x82\xa0\x82\xa2\x82\xa4y"), kOpenText);
  ASSERT_TRUE(doc && frame.ActiveView());
  auto* window = dynamic_cast<CVeskEV*>(frame.ActiveView()->TextWindow());
  ASSERT_TRUE(window);
  window->SelectRange(1, 7);
  bool stayedOpen = false;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QtFreeConvDialog*>(modal);
    ASSERT_TRUE(dialog);
    dialog->classList()->setCurrentRow(13);  // "＜全角ひらがな＞"
    dialog->sourceEdit(0)->setText(dialog->classList()->item(13)->text());
    dialog->targetEdit(0)->setText(QStringLiteral("x"));
    dialog->accept();
    stayedOpen = dialog->isVisible();
    dialog->targetEdit(0)->setText(dialog->classList()->item(12)->text());  // "＜全角カタカナ＞"
    dialog->accept();
  });
  frame.runCommand(cmd::kFreeConversion);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(TextOf(*doc), "x\x83\x41\x83\x43\x83\x45y");
  Documents().CloseAll();

  // Formatting lists a selected record by its template.
  const QString tpl = Write(QStringLiteral("rec.tpl"), "size,W\r\nname,5\r\nflag,B\r\n");
  CVeskDoc* bin = Open(QStringLiteral("rec.bin"), QByteArray("\x34\x12" "AB\r\nC\x7f", 8), kOpenBinary);
  ASSERT_TRUE(bin && frame.ActiveView());
  frame.ActiveView()->BinaryWindow()->SelectAll();
  testing::WhenModalShown([&](QWidget* modal) {
    auto* name = modal->findChild<QComboBox*>();
    ASSERT_TRUE(name);
    name->setEditText(tpl);
    PressOk(modal);
  });
  frame.runCommand(cmd::kFormat);
  ASSERT_EQ(Documents().Count(), 2u);
  EXPECT_EQ(TextOf(Documents().At(1)),
            PathToCp932(tpl) + "\r\n\tsize = 1234\r\n\tname = AB..C\r\n\tflag = 7F\r\n\r\n\r\n");
  Documents().CloseAll();

  // Comparison of two firmware images lists the differing row.
  QByteArray image(64, '\x5a');
  ASSERT_TRUE(Open(QStringLiteral("old.bin"), image, kOpenBinary));
  image[37] = '\x01';
  ASSERT_TRUE(Open(QStringLiteral("new.bin"), image, kOpenBinary));
  testing::WhenModalShown([&](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 1);
    PressOk(modal);
  });
  frame.runCommand(cmd::kCompare);
  ASSERT_EQ(Documents().Count(), 3u);
  const std::string text = TextOf(Documents().At(2));
  EXPECT_NE(text.find("00000020  -- -- -- -- -- 01"), std::string::npos) << text;
  EXPECT_NE(text.find("00000020  -- -- -- -- -- 5A"), std::string::npos) << text;
}

}  // namespace
}  // namespace quarn::qt
