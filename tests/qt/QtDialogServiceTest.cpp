#include "qt/QtDialogService.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>

#include "QtTestUtil.h"
#include "core/res/StringTable.h"
#include "platform/Cp932Codec.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

std::string Cp932(const QString& s) { return codec::Utf8ToCp932(s.toStdString()); }

TEST(QtDialogServiceTest, ProgramFiltersBecomeQtNameFilters) {
  const QStringList c = QtNameFilters(texts::kFilterC);
  ASSERT_EQ(c.size(), 6);
  EXPECT_EQ(c[1], QString::fromUtf8("ﾍｯﾀﾞ(*.h) (*.h)"));
  EXPECT_EQ(c[3], QString::fromUtf8("ｱｾﾝﾌﾞﾗ(*.asm;*.inc) (*.asm *.inc)"));
  // "*.*" also lists files without a dot.
  EXPECT_EQ(c[5], QString::fromUtf8("すべてのﾌｧｲﾙ(*.*) (*)"));

  EXPECT_TRUE(QtNameFilters("").isEmpty());
  EXPECT_TRUE(QtNameFilters("||").isEmpty());
  EXPECT_EQ(QtNameFilters("A|*.a"), QStringList{"A (*.a)"});           // no closing "||"
  EXPECT_EQ(QtNameFilters("A|*.a|B"), QStringList{"A (*.a)"});         // title without pattern
}

class QtFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    for (const char* name : {"a.c", "b.h", "é.h"}) {
      QFile f(temp_.filePath(QString::fromUtf8(name)));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
  }
  QTemporaryDir temp_;
  QtDialogService service_;
};

TEST_F(QtFileDialogTest, OpenDialogReturnsPathFilterAndReadOnlyChoice) {
  FileDialogRequest request;
  request.title = LoadString(61440);
  request.filter = texts::kFilterC;
  request.filterIndex = 2;
  request.initialDir = Cp932(temp_.path());
  request.fileMustExist = true;
  request.pathMustExist = true;

  QString title, filter;
  bool hadReadOnlyBox = false;
  ::quarn::qt::testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    title = dialog->windowTitle();
    filter = dialog->selectedNameFilter();
    if (auto* box = dialog->findChild<QCheckBox*>()) {
      hadReadOnlyBox = true;
      box->setChecked(true);
    }
    dialog->selectFile(QStringLiteral("b.h"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service_.fileDialog(request));
  EXPECT_EQ(title, QString::fromUtf8("ファイルを開く"));
  EXPECT_TRUE(filter.startsWith(QString::fromUtf8("ﾍｯﾀﾞ(*.h)")));
  EXPECT_TRUE(hadReadOnlyBox);
  EXPECT_EQ(request.fileName, Cp932(temp_.filePath("b.h")));
  EXPECT_EQ(request.filterIndex, 2);
  EXPECT_TRUE(request.readOnly);
}

TEST_F(QtFileDialogTest, OpenModeListOffersTheFourModesAndTellsEachChoice) {
  FileDialogRequest request;
  request.filter = texts::kFilterC;
  request.initialDir = Cp932(temp_.path());
  request.fileMustExist = true;
  request.showOpenMode = true;
  for (unsigned id = 59464; id <= 59467; ++id) request.openModes.push_back(LoadString(id));
  std::vector<int> told;
  request.openModeChanged = [&told](int mode) { told.push_back(mode); };

  QStringList shown;
  QString label;
  int initial = -1;
  ::quarn::qt::testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    auto* list = dialog->findChild<QComboBox*>(QStringLiteral("quarnOpenMode"));
    ASSERT_TRUE(list);
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    initial = list->currentIndex();
    for (const QLabel* l : dialog->findChildren<QLabel*>())
      if (l->buddy() == list) label = l->text();
    list->setCurrentIndex(3);
    list->setCurrentIndex(2);
    dialog->selectFile(QString::fromUtf8("é.h"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service_.fileDialog(request));
  EXPECT_EQ(shown, QString::fromUtf8("自動,テキストファイル,バイナリファイル,キャビネットファイル").split(u','));
  EXPECT_EQ(label, QString::fromUtf8("用途(&U):"));
  EXPECT_EQ(initial, 0);
  EXPECT_EQ(told, (std::vector<int>{3, 2}));
  EXPECT_EQ(request.openMode, 2);
  // The name CP932 lacks comes back as the file's own bytes.
  EXPECT_EQ(PathToOs(request.fileName), QFile::encodeName(temp_.filePath(QString::fromUtf8("é.h"))));
}

TEST_F(QtFileDialogTest, SaveDialogProposesAJapaneseNameAndCancelChangesNothing) {
  FileDialogRequest request;
  request.open = false;
  request.title = LoadString(61441);
  request.filter = texts::kFilterGeneral;
  request.hideReadOnly = true;
  request.showOpenMode = true;  // a save dialog shows no mode list
  request.openModes = {"a", "b"};
  request.pathMustExist = true;
  request.fileName = Cp932(temp_.filePath(QString::fromUtf8("表示.bin")));

  bool hadOpenControls = true;
  ::quarn::qt::testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    hadOpenControls = dialog->findChild<QCheckBox*>() || dialog->findChild<QComboBox*>(QStringLiteral("quarnOpenMode"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service_.fileDialog(request));
  EXPECT_FALSE(hadOpenControls);
  EXPECT_EQ(request.fileName, Cp932(temp_.filePath(QString::fromUtf8("表示.bin"))));
  EXPECT_EQ(request.filterIndex, 1);

  const FileDialogRequest before = request;
  ::quarn::qt::testing::WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(service_.fileDialog(request));
  EXPECT_EQ(request.fileName, before.fileName);
}

}  // namespace
}  // namespace quarn::qt
