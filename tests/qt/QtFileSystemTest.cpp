#include "qt/QtFileSystem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
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

TEST_F(QtFileSystemTest, EveryByteValueSurvivesWriteAndRead) {
  std::string data;
  for (int round = 0; round < 300; ++round)
    for (int b = 0; b < 256; ++b) data += char(b);
  const std::string path = dir() + "bytes.bin";
  ASSERT_TRUE(fs_.writeAll(path, data));

  auto file = fs_.openRead(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->length(), std::int64_t(data.size()));
  // Read in uneven pieces, then past the end.
  std::string back(data.size(), '\0');
  std::size_t got = 0;
  while (got < back.size()) {
    std::int64_t n = file->read(back.data() + got, std::min<std::size_t>(7777, back.size() - got));
    ASSERT_GT(n, 0);
    got += std::size_t(n);
  }
  char extra;
  EXPECT_EQ(file->read(&extra, 1), 0);
  EXPECT_TRUE(file->close());
  EXPECT_EQ(back, data);
}

TEST_F(QtFileSystemTest, CreateTruncatesAnExistingFile) {
  const std::string path = dir() + "t.txt";
  ASSERT_TRUE(fs_.writeAll(path, std::string(10000, 'x')));
  ASSERT_TRUE(fs_.writeAll(path, "abc"));
  std::string back;
  ASSERT_TRUE(fs_.readAll(path, back));
  EXPECT_EQ(back, "abc");
}

TEST_F(QtFileSystemTest, AReplacingFileTakesThePlaceOnlyWhenClosedAndKeepsThePermissions) {
  const std::string path = dir() + "keep.bin";
  ASSERT_TRUE(fs_.writeAll(path, "old bytes"));
  const QString os = QString::fromStdString(codec::Cp932ToUtf8(path));
  ASSERT_TRUE(QFile::setPermissions(os, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
  {
    auto file = fs_.createReplacing(path);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->write("new", 3));
    std::string now;
    ASSERT_TRUE(fs_.readAll(path, now));
    EXPECT_EQ(now, "old bytes");  // not yet replaced
  }  // given up without close: the old file stays, nothing is left beside it
  std::string back;
  ASSERT_TRUE(fs_.readAll(path, back));
  EXPECT_EQ(back, "old bytes");
  EXPECT_EQ(QDir(temp_.path()).entryList(QDir::Files).size(), 1);

  auto file = fs_.createReplacing(path);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->write("new bytes", 9));
  ASSERT_TRUE(file->close());
  ASSERT_TRUE(fs_.readAll(path, back));
  EXPECT_EQ(back, "new bytes");
  const QFile::Permissions ownerGroupOther = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  EXPECT_EQ(QFile::permissions(os) & ownerGroupOther, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
  EXPECT_FALSE(fs_.createReplacing(dir()));  // a directory is no file
}

TEST_F(QtFileSystemTest, DirectoriesAndMissingFilesAreRefused) {
  const std::string sub = dir() + "sub";
  ASSERT_TRUE(QDir().mkdir(QString::fromStdString(codec::Cp932ToUtf8(sub))));
  EXPECT_TRUE(fs_.isDirectory(sub));
  EXPECT_TRUE(fs_.exists(sub));
  EXPECT_FALSE(fs_.openRead(sub));
  EXPECT_FALSE(fs_.create(sub));
  EXPECT_FALSE(fs_.canReadWrite(sub));
  EXPECT_FALSE(fs_.remove(sub));
  EXPECT_TRUE(fs_.isDirectory(sub));

  EXPECT_FALSE(fs_.openRead(dir() + "missing"));
  EXPECT_FALSE(fs_.exists(dir() + "missing"));
  EXPECT_FALSE(fs_.openRead(""));
  EXPECT_FALSE(fs_.create(dir() + "no/such/dir/f"));
}

TEST_F(QtFileSystemTest, UnreadableFileIsRefused) {
  const std::string path = dir() + "locked";
  ASSERT_TRUE(fs_.writeAll(path, "secret"));
  ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(codec::Cp932ToUtf8(path)), QFileDevice::Permissions()));
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  EXPECT_FALSE(fs_.openRead(path));
  EXPECT_FALSE(fs_.canReadWrite(path));
  EXPECT_TRUE(fs_.exists(path));
}

TEST_F(QtFileSystemTest, JapaneseFileNameWithBackslashTrailByte) {
  // "表示.txt": 表 is 0x95 0x5C, whose trail byte is a backslash.
  const std::string name = "\x95\x5C\x8E\xA6.txt";
  const std::string path = dir() + name;
  ASSERT_TRUE(fs_.writeAll(path, "hello"));
  EXPECT_TRUE(QFile::exists(temp_.path() + QString::fromUtf8("/表示.txt")));
  EXPECT_TRUE(fs_.exists(path));
  EXPECT_TRUE(fs_.canReadWrite(path));
  std::string back;
  ASSERT_TRUE(fs_.readAll(path, back));
  EXPECT_EQ(back, "hello");
  EXPECT_TRUE(fs_.remove(path));
  EXPECT_FALSE(fs_.exists(path));
}

TEST_F(QtFileSystemTest, FullPathIsAbsoluteAgainstTheCurrentDirectory) {
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(temp_.path()));
  const std::string expected = dir() + "\x95\x5C.txt";
  EXPECT_EQ(fs_.fullPath("\x95\x5C.txt"), expected);
  EXPECT_EQ(fs_.fullPath("./x/../\x95\x5C.txt"), expected);
  EXPECT_EQ(fs_.fullPath(expected), expected);
  QDir::setCurrent(saved);
}

// Names as the system's bytes, made on disk directly: each opens, is found
// and is removed under its own name, and a save writes the file itself
// (never a look-alike such as "caf?.bin").
TEST_F(QtFileSystemTest, NamesOutsideCp932OpenSaveAndRemoveUnderTheirOwnBytes) {
  const std::string base = QFile::encodeName(temp_.path()).toStdString() + "/";
  struct Case {
    std::string name;
    bool savable;  // a byte that is not UTF-8 has no QString for the replacing write
  };
  const Case cases[] = {{"plain.bin", true},
                        {"caf\xC3\xA9.bin", true},
                        {"\xF0\x9F\x98\x80.bin", true},
                        {"\xE6\x97\xA5\xE6\x9C\xAC.bin", true},
                        {"\xEE\x80\x80.bin", true},
                        {"bad\xFF.bin", false}};
  for (const Case& c : cases) {
    const std::string os = base + c.name;
    const int fd = ::open(os.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0) << c.name;
    ASSERT_EQ(::write(fd, c.name.data(), c.name.size()), ssize_t(c.name.size()));
    ::close(fd);
  }
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(fs_.setCurrentDirectory(names::FromOs(base)));
  for (const Case& c : cases) {
    const std::string path = names::FromOs(base + c.name);
    EXPECT_TRUE(fs_.exists(path)) << c.name;
    EXPECT_TRUE(fs_.canReadWrite(path)) << c.name;
    EXPECT_EQ(fs_.fullPath(names::FromOs(c.name)), path) << c.name;
    std::string back;
    ASSERT_TRUE(fs_.readAll(path, back)) << c.name;
    EXPECT_EQ(back, c.name);
    EXPECT_EQ(fs_.writeAll(path, "saved"), c.savable) << c.name;
  }
  QDir::setCurrent(saved);
  // Counted by the system: Qt's listing leaves out names that are not UTF-8.
  auto count = [&base] {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(base)) ++n;
    return n;
  };
  EXPECT_EQ(count(), std::size(cases));
  for (const Case& c : cases) {
    const std::string path = names::FromOs(base + c.name);
    std::string back;
    ASSERT_TRUE(fs_.readAll(path, back));
    EXPECT_EQ(back, c.savable ? "saved" : c.name);
    EXPECT_TRUE(fs_.remove(path)) << c.name;
  }
  EXPECT_EQ(count(), 0u);
}

}  // namespace
}  // namespace quarn::qt
