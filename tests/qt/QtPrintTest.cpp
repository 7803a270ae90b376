// Printing through the real print command to PDF, read back with pdftotext.
#include <QProcess>
#include <QRegularExpression>

#include "FrameTest.h"
#include "core/print/PageLayoutFields.h"
#include "qt/QtPrintService.h"

namespace quarn::qt {
namespace {

// Sends every print to a PDF file instead of a dialog.
class PdfPrinting : public PrintService {
 public:
  explicit PdfPrinting(QString path) : path_(std::move(path)) {}
  bool print(const PrintRequest& request, PrintJob& job) override {
    return QtPrintService::PrintToPdf(job, path_, request.offerSelection);
  }

 private:
  QString path_;
};

class QtPrintTest : public testing::FrameTest {
 protected:
  ~QtPrintTest() override { gPageLayout = saved; }
  // Opens bytes in mode, prints them to a PDF and answers its pages' text.
  QStringList PrintedPages(const QString& name, const QByteArray& bytes, int mode) {
    EXPECT_TRUE(Open(name, bytes, mode));
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QFile::remove(pdf);
    PdfPrinting printing(pdf);
    Platform().printing = &printing;
    EXPECT_TRUE(frame.runCommand(57607));
    Platform().printing = nullptr;
    Documents().CloseAll();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QChar('\f'), Qt::SkipEmptyParts);
  }
  PageLayoutFields saved = gPageLayout;
};

// A binary document prints its header row and every row; a text document
// prints its header, numbered rows and footer from the first page number.
TEST_F(QtPrintTest, BinaryAndTextDocumentsPrintEveryRowBetweenHeaderAndFooter) {
  QByteArray bytes;
  for (int i = 0; i < 4096; ++i) bytes.append(char('A' + i % 26));
  QStringList pages = PrintedPages(QStringLiteral("data.bin"), bytes, kOpenBinary);
  ASSERT_GE(pages.size(), 2);
  for (const QString& page : pages) EXPECT_TRUE(page.contains(QStringLiteral("ADDRESS"))) << page.left(200).toStdString();
  QString all = pages.join(QString());
  for (int row = 0; row < 256; ++row)
    EXPECT_TRUE(all.contains(QStringLiteral("%1 ").arg(row * 16, 8, 16, QChar('0')).toUpper())) << "row " << row;
  EXPECT_TRUE(all.contains(QRegularExpression(
      R"(\n00000000 +41 42 43 44 45 46 47 48 +49 4A 4B 4C 4D 4E 4F 50 +ABCDEFGHIJKLMNOP\n)")))
      << pages[0].left(600).toStdString();
  // 150 Japanese lines with a tab.
  QByteArray text;
  for (int i = 1; i <= 150; ++i) text += "\x93\xfa\x96\x7b\x8c\xea\t" + QByteArray::number(i) + "\r\n";  // 日本語
  gPageLayout.firstPage = 5;
  pages = PrintedPages(QStringLiteral("jp.txt"), text, kOpenText);
  ASSERT_GE(pages.size(), 2);
  const QString first = pages[0];
  const QString path = QRegularExpression::escape(dir.filePath(QStringLiteral("jp.txt")));
  EXPECT_TRUE(first.contains(QRegularExpression("FileName = " + path + R"( +\d\d/\d\d/\d\d \d\d:\d\d:\d\d)")))
      << first.left(300).toStdString();
  for (int i = 0; i < pages.size(); ++i) EXPECT_TRUE(pages[i].contains(QStringLiteral("- %1 -").arg(5 + i))) << i;
  // Every line is printed once.
  all = pages.join(QString());
  for (int i = 1; i <= 150; ++i) {
    const QString line = QStringLiteral("%1 +日本語 +%2\\n").arg(i, 5, 10, QChar('0')).arg(i);
    EXPECT_TRUE(all.contains(QRegularExpression(line))) << "line " << i;
  }
}

}  // namespace
}  // namespace quarn::qt
