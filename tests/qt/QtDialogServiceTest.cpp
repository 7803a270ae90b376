#include "qt/QtDialogService.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include "QtTestUtil.h"
#include "core/res/StringTable.h"
#include "platform/Cp932Codec.h"

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
    for (const char* name : {"a.c", "b.h"}) {
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

TEST_F(QtFileDialogTest, SaveDialogProposesAJapaneseNameAndCancelChangesNothing) {
  FileDialogRequest request;
  request.open = false;
  request.title = LoadString(61441);
  request.filter = texts::kFilterGeneral;
  request.hideReadOnly = true;
  request.pathMustExist = true;
  request.fileName = Cp932(temp_.filePath(QString::fromUtf8("表示.bin")));

  bool hadReadOnlyBox = true;
  ::quarn::qt::testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    hadReadOnlyBox = dialog->findChild<QCheckBox*>() != nullptr;
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service_.fileDialog(request));
  EXPECT_FALSE(hadReadOnlyBox);
  EXPECT_EQ(request.fileName, Cp932(temp_.filePath(QString::fromUtf8("表示.bin"))));
  EXPECT_EQ(request.filterIndex, 1);

  const FileDialogRequest before = request;
  ::quarn::qt::testing::WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(service_.fileDialog(request));
  EXPECT_EQ(request.fileName, before.fileName);
}

}  // namespace
}  // namespace quarn::qt
