// The real editor as separate processes: hand-over and the next start.
#include <QFileInfo>
#include <QProcess>
#include <csignal>

#include "FrameTest.h"
#include "core/cabinet/CabinetFile.h"
#include "core/common/ProfileFile.h"
#include "platform/FileNames.h"

namespace quarn {
namespace {

using qt::testing::WaitFor;
using qt::testing::WriteFile;

// A run of the editor with its own home directory.
class EditorRun {
 public:
  EditorRun(const QString& home, const QStringList& arguments, const QString& screenshot = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUARN_HOME"), home);
    env.insert(QStringLiteral("QUARN_SCREENSHOT"), screenshot);
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QStringLiteral(QUARN_BINARY_DIR "/quarn"), arguments);
  }
  bool Started() { return process_.waitForStarted(30000); }
  // Waits for the end of a run that ends by itself: true when it exited with 0.
  bool Finished() {
    return process_.waitForFinished(60000) && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == 0;
  }
  // Ends the run as the Exit command does (SIGTERM closes the main window).
  bool Exit() {
    ::kill(pid_t(process_.processId()), SIGTERM);
    return Finished();
  }
  std::string Output() { return process_.readAll().toStdString(); }

 private:
  QProcess process_;
};

TEST(QtProcessTest, HandedOverDocumentsAreKeptInTheSettingsAndReopenedAtTheNextStart) {
  QTemporaryDir home;
  const QString ini = home.filePath(QStringLiteral("quarn.ini"));
  WriteFile(ini, "[Settings]\r\nMultiInstance=0\r\n");
  // Characters CP932 lacks, met in a different order by each process: each
  // must keep its own name in the settings the first one writes, and in the
  // cabinet for the next run.
  const QString own = home.filePath(QString::fromUtf8("ø.bin"));
  const QString a = home.filePath(QStringLiteral("a.bin"));
  const QString b = home.filePath(QString::fromUtf8("é.bin"));
  for (const QString& path : {own, a, b}) WriteFile(path, QByteArray(300, '\x01'));
  EditorRun first(home.path(), {own});
  ASSERT_TRUE(first.Started());
  const QString socket = home.filePath(QStringLiteral("quarn11.socket"));
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(socket); })) << "the first instance never listened";
  // One argument holding two absolute paths: two files.
  EditorRun handOver(home.path(), {a + QStringLiteral(" ") + b});
  ASSERT_TRUE(handOver.Started());
  ASSERT_TRUE(handOver.Finished()) << handOver.Output();
  QThread::msleep(1000);
  ASSERT_TRUE(first.Exit()) << first.Output();
  const QByteArray text = qt::testing::ReadFile(ini);
  ProfileFile profile;
  profile.Parse(text.toStdString());
  EXPECT_EQ(profile.GetInt("Settings", "UsedCount", -1), 1);  // the second run counted nothing
  const std::string cp932Home = names::FromOs(QFile::encodeName(home.path()).toStdString());
  auto stored = [&](const char* name) { return cp932Home + names::FromOs(name); };
  EXPECT_TRUE(text.contains(QByteArray::fromStdString(stored("/\xC3\xB8.bin")))) << "ø, its own";
  EXPECT_TRUE(text.contains(QByteArray::fromStdString(stored("/\xC3\xA9.bin")))) << "é, handed over";
  const QString cabinet = home.filePath(QStringLiteral("quarn.cab"));
  const CabinetContents saved = ReadCabinet(qt::testing::ReadFile(cabinet).toStdString());
  ASSERT_EQ(saved.format, CabinetFormat::kCurrent);
  ASSERT_EQ(saved.entries.size(), 3u);
  EXPECT_EQ(saved.entries[0].path, stored("/\xC3\xB8.bin"));
  EXPECT_EQ(saved.entries[1].path, a.toStdString());
  EXPECT_EQ(saved.entries[2].path, stored("/\xC3\xA9.bin"));
  // The next run, in screenshot mode, reopens them, writes its picture and
  // ends by itself: what it writes is what it reopened.
  const QString shot = home.filePath(QStringLiteral("shot.png"));
  EditorRun second(home.path(), {}, shot);
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.Finished()) << second.Output();
  const QImage image(shot);
  EXPECT_GT(qt::testing::Colours(image), 1u) << "the screenshot is blank";
  const CabinetContents again = ReadCabinet(qt::testing::ReadFile(cabinet).toStdString());
  EXPECT_EQ(saved.entries[2].docKind, 2);
  EXPECT_TRUE(again.entries == saved.entries);
}

// A termination signal as soon as the run listens, while its documents are still opening, ends it as
// Exit does: the settings are written.
TEST(QtProcessTest, ASignalDuringTheStartEndsTheRunAsExitDoes) {
  QTemporaryDir home;
  WriteFile(home.filePath(QStringLiteral("quarn.ini")), "[Settings]\r\nMultiInstance=0\r\n");
  WriteFile(home.filePath(QStringLiteral("a.bin")), QByteArray(300, '\x01'));
  EditorRun run(home.path(), {home.filePath(QStringLiteral("a.bin"))});
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(home.filePath(QStringLiteral("quarn11.socket"))); }));
  ASSERT_TRUE(run.Exit()) << run.Output();
  EXPECT_TRUE(qt::testing::ReadFile(home.filePath(QStringLiteral("quarn.ini"))).contains("a.bin"));
}

}  // namespace
}  // namespace quarn
