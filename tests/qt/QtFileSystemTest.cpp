#include "qt/QtFileSystem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fstream>
#include <filesystem>
#include <unistd.h>

#include "platform/Cp932Codec.h"
#include "platform/FileNames.h"

namespace quarn::qt {
namespace {

class QtFileSystemTest : public testing::Test {
 protected:
  // The temporary directory as a CP932 path with a trailing slash.
  std::string dir() const { return codec::Utf8ToCp932(temp_.path().toStdString()) + "/"; }
  QTemporaryDir temp_;
  QtFileSystem fs_;
};

// ---- saves that fail on the disk, for real, in a child process ----

constexpr uid_t kNobody = 65534;

// Runs body in a child process under a file-size limit, as user nobody when
// asked, and answers its exit status (-1 when it did not exit).
int InChild(rlim_t sizeLimit, bool asNobody, const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{sizeLimit, sizeLimit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(100);
    if (asNobody && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(101);
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sizes below and above the 16 KB a buffered writer holds back, each saved
// beside the file and, where the directory may not be written, in place; a
// replacement given up leaves the old file whole and nothing beside it.
TEST_F(QtFileSystemTest, ASaveTheDiskRefusesLeavesTheOldFileWholeAndReplacingKeepsLinksAndTheOwner) {
  struct Case {
    std::uint32_t size;
    rlim_t limit;
    bool fits;
  };
  const Case cases[] = {{5000, 8192, true}, {12001, 8192, false}, {100 * 1024, 64 * 1024, false}};
  const std::string old(3000, 'o');
  for (const bool inPlace : {false, true}) {
    const QString sub = temp_.path() + (inPlace ? "/locked" : "/open");
    ASSERT_TRUE(QDir().mkdir(sub));
    ASSERT_EQ(chmod(QFile::encodeName(temp_.path()).constData(), 0755), 0);
    const std::string path = codec::Utf8ToCp932(sub.toStdString()) + "/doc.bin";
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << (inPlace ? "in place, " : "beside, ") << c.size << " bytes");
      ASSERT_EQ(chmod(QFile::encodeName(sub).constData(), 0777), 0);
      ASSERT_TRUE(fs_.writeAll(path, old));
      ASSERT_EQ(chmod(codec::Cp932ToUtf8(path).c_str(), 0666), 0);
      // A directory its writer may not add to: nobody's under root, else read-only.
      ASSERT_EQ(chmod(QFile::encodeName(sub).constData(), inPlace ? 0555 : 0777), 0);
      const bool asNobody = inPlace && geteuid() == 0;
      std::string bytes(c.size, '\0');
      for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);  // every byte value
      const int saved = InChild(c.limit, asNobody, [&] {
        auto file = fs_.createReplacing(path);
        return file && file->reserve(bytes.size()) && file->write(bytes.data(), bytes.size()) && file->close();
      });
      std::string now;
      ASSERT_TRUE(fs_.readAll(path, now));
      const std::string expected = c.fits ? bytes : old;
      EXPECT_EQ(saved, c.fits ? 1 : 0);
      EXPECT_TRUE(now == expected) << now.size() << " bytes, starting " << now.substr(0, 8);
      EXPECT_EQ(QDir(sub).entryList(QDir::Files | QDir::Hidden).size(), 1);  // nothing left beside it
    }
    ASSERT_EQ(chmod(QFile::encodeName(sub).constData(), 0755), 0);  // so that it can be cleaned up
  }
  // Replacing keeps links, the permissions and the owner.
  auto native = [this](const char* name) { return codec::Cp932ToUtf8(dir() + name); };
  std::string back;
  ASSERT_TRUE(fs_.writeAll(dir() + "target", "old"));
  ASSERT_EQ(chmod(native("target").c_str(), 0640), 0);
  // Saved through a symbolic link: the file it names changes, the link stays.
  ASSERT_EQ(symlink(native("target").c_str(), native("link").c_str()), 0);
  ASSERT_TRUE(fs_.writeAll(dir() + "link", "through the link"));
  EXPECT_TRUE(QFileInfo(QString::fromStdString(native("link"))).isSymLink());
  ASSERT_TRUE(fs_.readAll(dir() + "target", back));
  EXPECT_EQ(back, "through the link");
  struct stat st;
  ASSERT_EQ(stat(native("target").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the replacement keeps the permissions
  // A second hard link sees the new bytes too.
  ASSERT_EQ(link(native("target").c_str(), native("hard").c_str()), 0);
  ASSERT_TRUE(fs_.writeAll(dir() + "target", "both names"));
  ASSERT_TRUE(fs_.readAll(dir() + "hard", back));
  EXPECT_EQ(back, "both names");
  // Replaced beside it, another user's file keeps its owner (root can give it).
  if (geteuid() != 0) return;
  ASSERT_EQ(chown(native("target").c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(unlink(native("hard").c_str()), 0);
  ASSERT_TRUE(fs_.writeAll(dir() + "target", "y"));
  ASSERT_EQ(stat(native("target").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNobody);
}

// Names as the system's bytes, made on disk directly: each opens, is found
// and is removed under its own name, and a save writes the file itself
// (never a look-alike such as "caf?.bin").
TEST_F(QtFileSystemTest, NamesOutsideCp932AreKeptAndDirectoriesMissingAndUnreadableFilesAreRefused) {
  const std::string base = QFile::encodeName(temp_.path()).toStdString() + "/";
  // "表示.txt": 表 is 0x95 0x5C in CP932, whose trail byte is a backslash.
  const std::string cases[] = {"plain.bin", "caf\xC3\xA9.bin", "\xF0\x9F\x98\x80.bin", "\xE6\x97\xA5\xE6\x9C\xAC.bin",
                               "\xEE\x80\x80.bin", "bad\xFF.bin", "\xE8\xA1\xA8\xE7\xA4\xBA.txt"};
  for (const std::string& name : cases) std::ofstream(base + name) << name;
  EXPECT_EQ(names::FromOs(base + cases[6]), names::FromOs(base) + "\x95\x5C\x8E\xA6.txt");
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(fs_.setCurrentDirectory(names::FromOs(base)));
  for (const std::string& name : cases) {
    const std::string path = names::FromOs(base + name);
    EXPECT_TRUE(fs_.exists(path)) << name;
    EXPECT_TRUE(fs_.canReadWrite(path)) << name;
    EXPECT_EQ(fs_.fullPath(names::FromOs(name)), path) << name;
    EXPECT_EQ(fs_.fullPath("./x/../" + names::FromOs(name)), path) << name;
    std::string back;
    ASSERT_TRUE(fs_.readAll(path, back)) << name;
    EXPECT_EQ(back, name);
    EXPECT_TRUE(fs_.writeAll(path, "saved")) << name;
  }
  QDir::setCurrent(saved);
  // Counted by the system: Qt's listing leaves out names that are not UTF-8.
  auto count = [&base] { return std::distance(std::filesystem::directory_iterator(base), {}); };
  EXPECT_EQ(count(), std::ssize(cases));
  for (const std::string& name : cases) {
    const std::string path = names::FromOs(base + name);
    std::string back;
    ASSERT_TRUE(fs_.readAll(path, back));
    EXPECT_EQ(back, "saved");
    EXPECT_TRUE(fs_.remove(path)) << name;
    EXPECT_FALSE(fs_.exists(path)) << name;
  }
  EXPECT_EQ(count(), 0);
  ASSERT_TRUE(fs_.writeAll(names::FromOs(base) + "\x95\x5C\x8E\xA6.txt", "new"));
  EXPECT_TRUE(QFile::exists(temp_.path() + QString::fromUtf8("/表示.txt")));
  // Directories, missing and unreadable files are refused.
  const std::string sub = dir() + "sub";
  ASSERT_TRUE(QDir().mkdir(QString::fromStdString(codec::Cp932ToUtf8(sub))));
  EXPECT_TRUE(fs_.exists(sub));
  EXPECT_FALSE(fs_.openRead(sub));
  EXPECT_FALSE(fs_.createReplacing(sub));
  EXPECT_FALSE(fs_.canReadWrite(sub));
  EXPECT_FALSE(fs_.remove(sub));
  EXPECT_TRUE(fs_.isDirectory(sub));
  EXPECT_FALSE(fs_.openRead(dir() + "missing"));
  EXPECT_FALSE(fs_.exists(dir() + "missing"));
  EXPECT_FALSE(fs_.openRead(""));
  EXPECT_FALSE(fs_.createReplacing(dir() + "no/such/dir/f"));
  EXPECT_TRUE(fs_.makeDirectories(dir() + "no/such/dir"));
  ASSERT_TRUE(fs_.writeAll(dir() + "no/such/dir/f", "x"));
  EXPECT_FALSE(fs_.makeDirectories(dir() + "no/such/dir/f/g")) << "a file is in the way";
  const std::string locked = dir() + "locked";
  ASSERT_TRUE(fs_.writeAll(locked, "secret"));
  ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(codec::Cp932ToUtf8(locked)), QFileDevice::Permissions()));
  if (geteuid() == 0) return;  // root reads every file
  EXPECT_FALSE(fs_.openRead(locked));
  EXPECT_FALSE(fs_.canReadWrite(locked));
  EXPECT_FALSE(fs_.createReplacing(locked));  // not replaced behind the user's back
  EXPECT_TRUE(fs_.exists(locked));
}

}  // namespace
}  // namespace quarn::qt
