// The cabinet and operation dialogs: typed, refused while wrong, accepted.
#include "qt/QtCabinetDialogs.h"
#include "qt/QtOperationDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include "FrameTest.h"
#include "core/app/CabinetCommands.h"
#include "core/app/CabinetSheet.h"
#include "core/cabinet/StandardFonts.h"
#include "core/res/MessageIds.h"

namespace quarn::qt {
namespace {

using testing::PressOk;

// The new-cabinet dialog stays open until a type is chosen and appends
// ".cab"; the sheet keeps the keyword page while its text is refused; the
// font chooser starts from the family the documents are drawn with, and OK
// without a change keeps the font.
TEST(QtCabinetDialogsTest, NewCabinetSheetAndFontChooser) {
  fakes::FakePlatform platform;
  QtCabinetDialogs dialogs;
  CabCreateRequest create;
  create.typeNames = {"a", "b", "c", "d"};
  create.accept = [](CabCreateRequest& r) { return AcceptCabinetName(r.name, r.type); };
  testing::WhenModalShown([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("work"));
    PressOk(dialog);  // no type yet: a beep, the dialog stays
    dialog->findChild<QListWidget*>()->setCurrentRow(1);
    PressOk(dialog);
  });
  ASSERT_TRUE(dialogs.cabCreateDialog(create));
  EXPECT_EQ(create.name, "work.cab");
  EXPECT_EQ(create.type, 1);
  EXPECT_EQ(platform.beep.beeps.size(), 1u);

  CabinetSheetRequest sheet = SheetOf(CabinetSet::Builtin(kDocTypeC));
  sheet.page = 2;
  testing::WhenModalShown([](QWidget* dialog) {
    auto* tabs = dialog->findChild<QTabWidget*>();
    auto* keywords = dialog->findChild<QPlainTextEdit*>();
    keywords->setPlainText(QString(31, QLatin1Char('k')));
    tabs->setCurrentIndex(0);  // refused, the page stays
    EXPECT_EQ(tabs->currentIndex(), 2);
    keywords->setPlainText(QStringLiteral("alpha\nbeta"));
    tabs->setCurrentIndex(3);
    PressOk(dialog);
  });
  ASSERT_TRUE(dialogs.cabinetSheet(sheet));
  EXPECT_TRUE(platform.Shown(msg::kKeywordTooLong));
  EXPECT_EQ(sheet.page, 3);
  EXPECT_EQ(sheet.keywordText, "alpha\r\nbeta");

  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  if (!japanese.contains(QStringLiteral("IPAGothic")) || !japanese.contains(QStringLiteral("IPAMincho")))
    GTEST_SKIP() << "the IPA fonts are not installed";
  FontRequest font;
  font.font = BuiltinFont();  // "Fixedsys", drawn with IPAGothic
  testing::WhenModalShown([&](QWidget* modal) {
    const QFont shown = qobject_cast<QFontDialog*>(modal)->currentFont();
    EXPECT_EQ(shown.family() + QString::number(shown.pointSize()), QStringLiteral("IPAGothic14"));
    PressOk(modal);
  });
  ASSERT_TRUE(dialogs.fontDialog(font));
  EXPECT_TRUE(font.font == BuiltinFont());
  testing::WhenModalShown([](QWidget* modal) {
    qobject_cast<QFontDialog*>(modal)->setCurrentFont(QFont(QStringLiteral("IPAMincho"), 16));
    PressOk(modal);
  });
  ASSERT_TRUE(dialogs.fontDialog(font));
  EXPECT_EQ(font.font.face(), "IPAMincho");
  EXPECT_EQ(font.font.height, 16);
}

QPushButton* Button(QWidget* dialog, const QString& text) {
  for (QPushButton* b : dialog->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

// The save dialog hands over name, key and comment until accepted.
TEST(QtOperationDialogsTest, SaveAndLoadDialogs) {
  QtOperationDialogs dialogs;
  RecordDialogRequest request;
  request.keyNames = {"A", "F5"};
  int asked = 0;
  request.accept = [&](RecordDialogRequest& r, bool& focusName) {
    focusName = ++asked == 1;
    return asked > 1 && r.name == "op" && r.shift && !r.ctrl && r.keyIndex == 1 && r.comment == "c";
  };
  testing::WhenModalShown([](QWidget* dialog) {
    auto edits = dialog->findChildren<QLineEdit*>();
    edits[0]->setText(QStringLiteral("op"));
    edits.back()->setText(QStringLiteral("c"));
    dialog->findChildren<QCheckBox*>()[1]->setChecked(true);
    dialog->findChild<QComboBox*>()->setCurrentIndex(1);
    PressOk(dialog);  // refused once: the dialog stays
    EXPECT_TRUE(dialog->isVisible());
    PressOk(dialog);
  });
  EXPECT_TRUE(dialogs.recordDialog(request));
  EXPECT_EQ(asked, 2);
  // The load dialog deletes, then closes; a name of 240 characters and a
  // comment of 120 Japanese characters leave it and its buttons on the screen.
  const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
  PlayDialogRequest play;
  play.names = {std::string(240, 'n'), "two"};
  play.name = "two";
  play.describe = [](const std::string& name, std::string& key, std::string& comment) {
    key = name == "two" ? "F5" : "";
    comment.clear();
    for (int i = 0; i < 120; ++i) comment += "\x82\xa0";
  };
  std::vector<std::string> removed;
  play.remove = [&](const std::string& name) { return removed.push_back(name), true; };
  play.accept = [](const std::string&) { return true; };
  testing::WhenModalShown([screen](QWidget* dialog) {
    EXPECT_LE(dialog->frameGeometry().width(), screen);
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
      EXPECT_LE(b->mapTo(dialog, QPoint(b->width(), 0)).x(), dialog->width()) << b->text().toStdString();
    auto* names = dialog->findChild<QComboBox*>();
    EXPECT_EQ(names->currentText(), QStringLiteral("two"));
    Button(dialog, QString::fromUtf8("削除(&D)"))->click();
    EXPECT_EQ(names->count(), 1);
    EXPECT_FALSE(Button(dialog, QString::fromUtf8("再生(&P)"))->isEnabled());
    Button(dialog, QString::fromUtf8("閉じる"))->click();
  });
  EXPECT_EQ(dialogs.playDialog(play), PlayDialogAnswer::kOk);
  EXPECT_EQ(removed, (std::vector<std::string>{"two"}));
}

}  // namespace
}  // namespace quarn::qt
