#include "qt/QtCabinetDialogs.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QListView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "QtTestUtil.h"
#include "core/app/CabinetCommands.h"
#include "core/app/CabinetSheet.h"
#include "core/cabinet/StandardFonts.h"
#include "core/res/MessageIds.h"
#include "fakes/FakePlatform.h"

namespace quarn::qt {
namespace {

void PressOk(QWidget* dialog) {
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

TEST(QtCabinetDialogsTest, TheNewCabinetDialogStaysOpenUntilATypeIsChosenAndAppendsCab) {
  fakes::FakePlatform platform;
  QtCabinetDialogs dialogs;
  CabCreateRequest request;
  request.typeNames = {"a", "b", "c", "d"};
  request.accept = [](CabCreateRequest& r) { return AcceptCabinetName(r.name, r.type); };
  testing::WhenModalShown([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("work"));
    PressOk(dialog);  // no type yet: a beep, the dialog stays
    dialog->findChild<QListWidget*>()->setCurrentRow(1);
    PressOk(dialog);
  });
  ASSERT_TRUE(dialogs.cabCreateDialog(request));
  EXPECT_EQ(request.name, "work.cab");
  EXPECT_EQ(request.type, 1);
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
}

// The chooser starts from the family the documents are drawn with, lists
// the families with Japanese glyphs, and OK without a change keeps the font.
TEST(QtCabinetDialogsTest, TheFontChooserStartsFromTheFontInUse) {
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  if (!japanese.contains(QStringLiteral("IPAGothic")) || !japanese.contains(QStringLiteral("IPAMincho")))
    GTEST_SKIP() << "the IPA fonts are not installed";
  fakes::FakePlatform platform;
  QtCabinetDialogs dialogs;
  FontRequest request;
  request.font = BuiltinFont();  // "Fixedsys", drawn with IPAGothic
  QStringList listed;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* chooser = qobject_cast<QFontDialog*>(modal);
    ASSERT_TRUE(chooser);
    EXPECT_EQ(chooser->currentFont().family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(chooser->currentFont().pointSize(), 14);
    EXPECT_FALSE(chooser->currentFont().italic());
    for (const QListView* view : modal->findChildren<QListView*>()) {
      QStringList rows;
      for (int row = 0; view->model() && row < view->model()->rowCount(); ++row)
        rows << view->model()->index(row, 0).data().toString();
      if (rows.contains(QStringLiteral("IPAGothic"))) listed = rows;
    }
    PressOk(modal);
  });
  ASSERT_TRUE(dialogs.fontDialog(request));
  EXPECT_TRUE(request.font == BuiltinFont());
  EXPECT_TRUE(listed.contains(QStringLiteral("IPAMincho")));
  for (const QString& family : listed) EXPECT_TRUE(japanese.contains(family)) << family.toStdString();

  testing::WhenModalShown([](QWidget* modal) {
    qobject_cast<QFontDialog*>(modal)->setCurrentFont(QFont(QStringLiteral("IPAMincho"), 16));
    PressOk(modal);
  });
  ASSERT_TRUE(dialogs.fontDialog(request));
  EXPECT_EQ(request.font.face(), "IPAMincho");
  EXPECT_EQ(request.font.height, 16);
  EXPECT_EQ(request.font.italic, 0);
}

TEST(QtCabinetDialogsTest, TheSheetKeepsTheKeywordPageWhileItsTextIsRefused) {
  fakes::FakePlatform platform;
  QtCabinetDialogs dialogs;
  CabinetSet set = CabinetSet::Builtin(kDocTypeC);
  CabinetSheetRequest request = SheetOf(set);
  request.page = 2;
  testing::WhenModalShown([](QWidget* dialog) {
    auto* tabs = dialog->findChild<QTabWidget*>();
    auto* keywords = dialog->findChild<QPlainTextEdit*>();
    keywords->setPlainText(QString(31, QLatin1Char('k')));
    tabs->setCurrentIndex(0);  // refused: 59404, the page stays
    EXPECT_EQ(tabs->currentIndex(), 2);
    keywords->setPlainText(QStringLiteral("alpha\nbeta"));
    tabs->setCurrentIndex(3);
    PressOk(dialog);
  });
  ASSERT_TRUE(dialogs.cabinetSheet(request));
  EXPECT_TRUE(platform.Shown(msg::kKeywordTooLong));
  EXPECT_EQ(request.page, 3);
  EXPECT_EQ(request.keywordText, "alpha\r\nbeta");
  EXPECT_EQ(request.format.docType, kDocTypeC);
  EXPECT_EQ(request.filters[1].size(), 6u);
}

}  // namespace
}  // namespace quarn::qt
