#include <gtest/gtest.h>

#include <string>

#include "core/app/CMainFrame.h"
#include "core/app/DocTemplate.h"
#include "core/app/FrequentDirectories.h"
#include "core/common/Settings.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

// The fake file system with a working current directory.
class Directories : public fakes::FakeFileSystem {
 public:
  bool setCurrentDirectory(const std::string& path) override {
    if (!directories.count(path)) return false;
    currentDirectory = path;
    return true;
  }
};

struct NoFrames : FrameFactory {
  bool CreateFrame(CVeskDoc&) override { return true; }
  void ActivateFrame(CVeskDoc&) override {}
  void DestroyFrame(CVeskDoc&) override {}
};

class FrequentDirectoriesTest : public ::testing::Test {
 protected:
  FrequentDirectoriesTest() {
    Platform().files = &files;
    documents.SetFrameFactory(&frames);
    gSettings.FrequentlyUsedDirectory = {"/data", "/missing", "", ""};
    files.directories = {"/data"};
  }
  ~FrequentDirectoriesTest() override {
    documents.CloseAll();
    gSettings = AppSettings();
  }
  fakes::FakePlatform platform;
  Directories files;
  NoFrames frames;
  DocTemplate documents;
};

TEST_F(FrequentDirectoriesTest, CommandsAreEnabledByTheNumberOfDirectoriesSet) {
  EXPECT_TRUE(FrequentDirectoryEnabled(1));
  EXPECT_TRUE(FrequentDirectoryEnabled(2));
  EXPECT_FALSE(FrequentDirectoryEnabled(3));
  gSettings.FrequentlyUsedDirectory = {"", "", "", "/only"};
  EXPECT_TRUE(FrequentDirectoryEnabled(1));
  EXPECT_FALSE(FrequentDirectoryEnabled(2));
}

TEST_F(FrequentDirectoriesTest, TheDirectoryBecomesCurrentThenFileOpenOrWithCtrlSaveAs) {
  OpenFrequentDirectory(documents, nullptr, 1, false);
  EXPECT_EQ(files.currentDirectory, "/data");
  ASSERT_EQ(platform.dialogs.requests.size(), 1u);  // File Open, cancelled
  EXPECT_TRUE(platform.dialogs.requests[0].open);
  EXPECT_TRUE(platform.beep.beeps.empty());

  // A directory that cannot be made current beeps; the dialog comes anyway.
  OpenFrequentDirectory(documents, nullptr, 2, false);
  EXPECT_EQ(platform.beep.beeps, (std::vector<unsigned>{0xFFFFFFFFu}));
  EXPECT_EQ(platform.dialogs.requests.size(), 2u);

  // With Ctrl the active document is saved under a new name there.
  gProcess.nextDocKind = kBinaryDoc;
  auto doc = std::make_unique<CVeskDoc>();
  platform.dialogs.fileAnswers.push_back("/data/new.bin");
  OpenFrequentDirectory(documents, doc.get(), 1, true);
  ASSERT_EQ(platform.dialogs.requests.size(), 3u);
  EXPECT_FALSE(platform.dialogs.requests[2].open);
  EXPECT_EQ(doc->GetPathName(), "/data/new.bin");
  EXPECT_EQ(documents.Recent().Entries(), (std::vector<std::string>{"/data/new.bin"}));
}

}  // namespace
}  // namespace quarn
