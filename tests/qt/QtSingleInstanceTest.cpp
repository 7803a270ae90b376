// Two real processes of the editor in single-instance mode: the second
// hands its files to the first and ends; the first has them open.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "core/common/ProfileFile.h"
#include "platform/FileNames.h"

namespace quarn {
namespace {

const QString kQuarn = QStringLiteral(QUARN_BINARY_DIR "/quarn");

QProcessEnvironment Environment(const QString& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QUARN_HOME"), home);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.remove(QStringLiteral("QUARN_SCREENSHOT"));
  return env;
}

bool WaitFor(const std::function<bool()>& done) {
  QDeadlineTimer deadline(60000);
  while (!deadline.hasExpired()) {
    if (done()) return true;
    QThread::msleep(50);
  }
  return false;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(QtSingleInstanceTest, ASecondProcessHandsItsFilesToTheFirstAndWritesNothing) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QString ini = home.filePath(QStringLiteral("quarn.ini"));
  Write(ini, "[Settings]\r\nMultiInstance=0\r\n");
  const QString a = home.filePath(QStringLiteral("a.bin"));
  // Characters CP932 lacks, met in a different order by each process: each
  // must keep its own name in the settings the first one writes.
  const QString own = home.filePath(QString::fromUtf8("ø.bin"));
  const QString b = home.filePath(QString::fromUtf8("é.bin"));
  Write(a, "first");
  Write(b, "second");
  Write(own, "own");

  QProcess first;
  first.setProcessEnvironment(Environment(home.path()));
  first.start(kQuarn, {own});
  ASSERT_TRUE(first.waitForStarted(30000));
  const QString socket = home.filePath(QStringLiteral("quarn11.socket"));
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(socket); })) << "the first instance never listened";

  // One argument holding two absolute paths: two files.
  QProcess second;
  second.setProcessEnvironment(Environment(home.path()));
  second.start(kQuarn, {a + QStringLiteral(" ") + b});
  ASSERT_TRUE(second.waitForFinished(60000));
  EXPECT_EQ(second.exitCode(), 0);

  // The first instance ends on SIGTERM like the Exit command and writes
  // its settings: the recent files are the two handed over.
  ::kill(pid_t(first.processId()), SIGTERM);
  ASSERT_TRUE(first.waitForFinished(60000));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);

  QFile file(ini);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  ProfileFile profile;
  profile.Parse(text.toStdString());
  EXPECT_EQ(profile.GetInt("Settings", "UsedCount", -1), 1);  // the second run counted nothing
  EXPECT_TRUE(text.contains(a.toUtf8())) << text.toStdString();
  const std::string cp932Home = names::FromOs(QFile::encodeName(home.path()).toStdString());
  auto stored = [&](const char* name) { return QByteArray::fromStdString(cp932Home + names::FromOs(name)); };
  EXPECT_TRUE(text.contains(stored("/\xC3\xB8.bin"))) << "ø, its own";
  EXPECT_TRUE(text.contains(stored("/\xC3\xA9.bin"))) << "é, handed over";
}

}  // namespace
}  // namespace quarn
