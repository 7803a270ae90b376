#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SettingsTestSupport.h"
#include "core/app/CVeskApp.h"
#include "core/app/DocTemplate.h"
#include "core/cabinet/CabinetFile.h"
#include "core/document/CVeskDoc.h"
#include "core/view/CVeskView.h"
#include "platform/InstanceChannel.h"

namespace quarn {
namespace {

class FakeChannel : public InstanceChannel {
 public:
  bool acquire() override { return held = !otherInstance; }
  bool holdsLock() const override { return held; }
  bool send(const std::string& message, int timeoutMs) override {
    sent.push_back(message);
    timeout = timeoutMs;
    return otherInstance && answers;
  }
  void setReceiver(std::function<void(const std::string&)>) override {}
  void release() override { held = false; }

  bool otherInstance = false;
  bool answers = true;
  bool held = false;
  int timeout = 0;
  std::vector<std::string> sent;
};

// Frames with a real view, so that the start-up caret has somewhere to go.
struct ViewFrames : FrameFactory, ChildPlacer {
  bool CreateFrame(CVeskDoc& doc) override {
    views[&doc] = std::make_unique<CVeskView>(doc, *this);
    return true;
  }
  void ActivateFrame(CVeskDoc&) override {}
  void DestroyFrame(CVeskDoc& doc) override { views.erase(&doc); }
  void MoveChild(ViewChild, const Rect&) override {}
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild) override {}
  std::map<CVeskDoc*, std::unique_ptr<CVeskView>> views;
};

struct Frame : StartupFrame {
  explicit Frame(DocTemplate& d) : documents(d) {}
  void MaximizeActiveChild() override { ++maximized; }
  bool HasActiveChild() override { return documents.Count() > 0; }
  DocTemplate& documents;
  int maximized = 0;
};

class CVeskAppTest : public SettingsFixture {
 protected:
  CVeskAppTest() { documents.SetFrameFactory(&frames); }
  ~CVeskAppTest() override { documents.CloseAll(); }
  // One run of the program: start, open the start-up documents, exit.
  bool Run(const std::string& commandLine) {
    CVeskApp app(documents, channel);
    if (!app.Begin(commandLine)) {
      app.Exit();
      return false;
    }
    Frame frame(documents);
    app.OpenStartupDocuments(frame);
    maximized = frame.maximized;
    app.Exit();
    return true;
  }
  int UsedCount() { return StoredProfile().GetInt("Settings", "UsedCount", -1); }
  // Changes one value in the settings file the last run wrote.
  void Change(const std::string& from, const std::string& to) {
    const std::size_t at = Stored().find(from);
    ASSERT_NE(at, std::string::npos);
    Stored().replace(at, from.size(), to);
  }

  FakeChannel channel;
  ViewFrames frames;
  DocTemplate documents;
  int maximized = 0;
};

TEST_F(CVeskAppTest, EveryRunCountsOnceAndAHandedOverRunWritesNothing) {
  EXPECT_TRUE(Run(""));
  EXPECT_EQ(UsedCount(), 1);
  EXPECT_TRUE(Run(""));
  EXPECT_EQ(UsedCount(), 2);
  EXPECT_TRUE(channel.sent.empty());  // several instances allowed: no channel used

  Change("MultiInstance=1", "MultiInstance=0");
  const std::string before = Stored();
  channel.otherInstance = true;
  platform.files.files["/home/q/a.bin"] = "a";
  EXPECT_FALSE(Run(JoinArguments({"/L=10", "/home/q/a.bin"})));
  EXPECT_EQ(channel.sent, (std::vector<std::string>{"[open(\"/home/q/a.bin\")]"}));
  EXPECT_EQ(channel.timeout, 15000);
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(documents.Count(), 0u);
}

// A QUARN_HOME not made yet is made at start; settings that cannot be
// written (a folder in place of the file) are told once, at start.
TEST_F(CVeskAppTest, AMissingProgramDirectoryIsMadeAndUnwritableSettingsAreToldOnce) {
  EXPECT_TRUE(Run(""));
  EXPECT_TRUE(platform.files.isDirectory("/home/q"));
  EXPECT_TRUE(platform.messages.shown.empty());
  platform.files.files.erase(kIni);
  platform.files.directories.insert(kIni);
  EXPECT_TRUE(Run(""));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_NE(platform.messages.shown[0].text.find(kIni), std::string::npos);
}

TEST_F(CVeskAppTest, HandOverBeepsWithoutAFileAndForEveryFileNoOneTakes) {
  Store("[Settings]\nMultiInstance=0\n");
  channel.otherInstance = true;
  EXPECT_FALSE(Run(""));
  EXPECT_EQ(platform.beep.beeps, (std::vector<unsigned>{0xFFFFFFFFu}));
  channel.answers = false;
  EXPECT_FALSE(Run("\"/x/a /x/b\""));
  EXPECT_EQ(channel.sent.size(), 2u);
  EXPECT_EQ(platform.beep.beeps.size(), 3u);
  // The first instance itself takes the lock and goes on.
  channel.otherInstance = false;
  EXPECT_TRUE(Run(""));
  EXPECT_FALSE(channel.held);  // released at exit
}

TEST_F(CVeskAppTest, TheCommandLineFileOpensAsBinaryWithItsCaretAndNoUntitledByDefault) {
  platform.files.currentDirectory = "/home/q";
  platform.files.files["/home/q/data.txt"] = "line\r\nline\r\n";
  CVeskApp app(documents, channel);
  ASSERT_TRUE(app.Begin("/L=5 data.txt"));
  Frame frame(documents);
  app.OpenStartupDocuments(frame);
  ASSERT_EQ(documents.Count(), 1u);
  CVeskDoc& doc = documents.At(0);
  EXPECT_EQ(doc.DocKind(), kBinaryDoc);
  EXPECT_EQ(doc.GetPathName(), "/home/q/data.txt");
  const auto caret = frames.views[&doc]->TakePendingTextCaret();
  ASSERT_TRUE(caret);
  EXPECT_EQ(caret->line, 4u);
  EXPECT_EQ(caret->column, 0u);
  EXPECT_EQ(frame.maximized, 1);
  app.Exit();
  documents.CloseAll();

  // No file: no document unless "InvokeWithoutUntitled" is 0.
  EXPECT_TRUE(Run("/C=3"));
  EXPECT_EQ(documents.Count(), 0u);
  Change("InvokeWithoutUntitled=1", "InvokeWithoutUntitled=0");
  EXPECT_TRUE(Run(""));
  ASSERT_EQ(documents.Count(), 1u);
  EXPECT_EQ(documents.At(0).GetPathName(), "");
}

TEST_F(CVeskAppTest, TheCabinetArgumentReplacesTheCabinetPathWhenItFits) {
  CVeskApp app(documents, channel);
  ASSERT_TRUE(app.Begin("/A=" + std::string(260, 'c')));
  Frame frame(documents);
  const std::string before = gSettings.CabinetName;
  app.OpenStartupDocuments(frame);
  EXPECT_EQ(gSettings.CabinetName, before);
  CVeskApp second(documents, channel);
  ASSERT_TRUE(second.Begin("/A=\"/home/q/my.cab\""));
  second.OpenStartupDocuments(frame);
  EXPECT_EQ(gSettings.CabinetName, "/home/q/my.cab");
}

}  // namespace
}  // namespace quarn

namespace quarn {
namespace {

TEST_F(CVeskAppTest, StartUpOpensTheCabinetWithItsDocumentsAndExitNamesIt) {
  const CVeskCabinet savedCabinet = gCabinet;
  platform.files.files["/home/q/a.bin"] = "a";
  std::vector<CabinetEntry> entries(1);
  entries[0].path = "/home/q/a.bin";
  entries[0].docKind = kBinaryDoc;
  platform.files.files["/home/q/quarn.cab"] = WriteCabinet(entries, CabinetSet::Builtin(kDocTypeC));
  platform.files.files["/home/q/other.cab"] = WriteCabinet(entries, CabinetSet::Builtin(kDocTypeCpp));

  ASSERT_TRUE(Run(""));
  ASSERT_EQ(Documents().Count(), 1u);
  EXPECT_EQ(Documents().At(0).DocKind(), kBinaryDoc);
  EXPECT_EQ(gCabinet.Settings().DocType, kDocTypeC);
  EXPECT_EQ(StoredProfile().GetString("Settings", "CabinetName"), "/home/q/quarn.cab");
  Documents().CloseAll();

  // "InitialCabinetMode" 1: the settings only; "/A" another cabinet.
  Change("InitialCabinetMode=0", "InitialCabinetMode=1");
  ASSERT_TRUE(Run("/A=/home/q/other.cab"));
  EXPECT_EQ(Documents().Count(), 0u);
  EXPECT_EQ(gCabinet.Settings().DocType, kDocTypeCpp);
  EXPECT_EQ(StoredProfile().GetString("Settings", "CabinetName"), "/home/q/other.cab");
  gCabinet = savedCabinet;
}

}  // namespace
}  // namespace quarn
