#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsTestSupport.h"
#include "core/app/CVeskApp.h"
#include "core/app/CommandLine.h"
#include "core/app/DocTemplate.h"
#include "core/cabinet/CabinetFile.h"
#include "core/document/CVeskDoc.h"
#include "fakes/FakeCabinet.h"
#include "platform/InstanceChannel.h"

namespace quarn {
namespace {

struct FakeChannel : InstanceChannel {
  bool acquire() override { return held = !otherInstance; }
  bool holdsLock() const override { return held; }
  bool send(const std::string& message, int timeoutMs) override {
    sent.push_back(message);
    timeout = timeoutMs;
    return otherInstance && answers;
  }
  void setReceiver(std::function<void(const std::string&)>) override {}
  void release() override { held = false; }
  bool otherInstance = false, answers = true, held = false;
  int timeout = 0;
  std::vector<std::string> sent;
};

struct Frame : StartupFrame {
  explicit Frame(DocTemplate& d) : documents(d) {}
  void MaximizeActiveChild() override { ++maximized; }
  bool HasActiveChild() override { return documents.Count() > 0; }
  DocTemplate& documents;
  int maximized = 0;
};

// Frames with a real view give the start-up caret somewhere to go.
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
    app.OpenStartupDocuments(frame);
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
  fakes::FakeCabinetFrames frames;
  DocTemplate documents;
  Frame frame{documents};
};

// A handed-over run writes nothing and beeps without a file and for every file
// no running instance takes. Settings that cannot be written are told at start.
TEST_F(CVeskAppTest, EveryRunCountsOnceAndAHandedOverRunWritesNothing) {
  EXPECT_TRUE(Run(""));
  EXPECT_EQ(std::tuple(platform.files.isDirectory("/home/q"), UsedCount()), std::tuple(true, 1));
  EXPECT_TRUE(Run(""));
  EXPECT_EQ(std::tuple(UsedCount(), channel.sent.size()), std::tuple(2, 0u));  // several instances: no channel used
  Change("MultiInstance=1", "MultiInstance=0");
  const std::string before = Stored();
  channel.otherInstance = true;
  platform.files.files["/home/q/a.bin"] = "a";
  EXPECT_FALSE(Run(JoinArguments({"/L=10", "/home/q/a.bin"})));
  EXPECT_EQ(channel.sent, (std::vector<std::string>{"[open(\"/home/q/a.bin\")]"}));
  EXPECT_EQ(std::tuple(channel.timeout, Stored(), documents.Count(), platform.beep.beeps.size()),
            std::tuple(15000, before, 0u, 0u));
  EXPECT_FALSE(Run(""));
  EXPECT_EQ(platform.beep.beeps, (std::vector<unsigned>{0xFFFFFFFFu}));
  channel.answers = false;
  EXPECT_FALSE(Run("\"/x/a /x/b\""));
  EXPECT_EQ(std::tuple(channel.sent.size(), platform.beep.beeps.size()), std::tuple(3u, 3u));
  // The first instance itself takes the lock and goes on.
  channel.otherInstance = false;
  EXPECT_TRUE(Run(""));
  EXPECT_EQ(std::tuple(channel.held, platform.messages.shown.size()), std::tuple(false, 0u));  // released at exit
  platform.files.files.erase(kIni);
  platform.files.directories.insert(kIni);
  EXPECT_TRUE(Run(""));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_NE(platform.messages.shown[0].text.find(kIni), std::string::npos);
}

TEST_F(CVeskAppTest, TheCommandLineFileOpensAsBinaryWithItsCaretAndNoUntitledByDefault) {
  platform.files.currentDirectory = "/home/q";
  platform.files.files["/home/q/data.txt"] = "line\r\nline\r\n";
  ASSERT_TRUE(Run("/L=5 data.txt"));
  ASSERT_EQ(documents.Count(), 1u);
  CVeskDoc& doc = documents.At(0);
  EXPECT_EQ(std::tuple(doc.DocKind(), doc.GetPathName()), std::tuple(int(kBinaryDoc), std::string("/home/q/data.txt")));
  const auto caret = frames.frames[&doc].view->TakePendingTextCaret();
  ASSERT_TRUE(caret);
  EXPECT_EQ(std::tuple(caret->line, caret->column, frame.maximized), std::tuple(4u, 0u, 1));
  documents.CloseAll();
  // No file: no document unless "InvokeWithoutUntitled" is 0.
  EXPECT_TRUE(Run("/C=3"));
  EXPECT_EQ(documents.Count(), 0u);
  Change("InvokeWithoutUntitled=1", "InvokeWithoutUntitled=0");
  EXPECT_TRUE(Run(""));
  ASSERT_EQ(documents.Count(), 1u);
  EXPECT_EQ(documents.At(0).GetPathName(), "");
}

// The cabinet argument replaces the cabinet path when it fits.
TEST_F(CVeskAppTest, StartUpOpensTheCabinetWithItsDocumentsAndExitNamesIt) {
  const Restore<CVeskCabinet> cabinet(gCabinet, gCabinet);
  platform.files.files["/home/q/a.bin"] = "a";
  CabinetEntry entry;
  entry.path = "/home/q/a.bin", entry.docKind = kBinaryDoc;
  const std::vector<CabinetEntry> entries{entry};
  platform.files.files["/home/q/quarn.cab"] = WriteCabinet(entries, CabinetSet::Builtin(kDocTypeC));
  platform.files.files["/home/q/other.cab"] = WriteCabinet(entries, CabinetSet::Builtin(kDocTypeCpp));
  ASSERT_TRUE(Run("/A=" + std::string(260, 'c')));
  ASSERT_EQ(Documents().Count(), 1u);
  EXPECT_EQ(std::tuple(Documents().At(0).DocKind(), gCabinet.Settings().DocType), std::tuple(kBinaryDoc, kDocTypeC));
  EXPECT_EQ(StoredProfile().GetString("Settings", "CabinetName"), "/home/q/quarn.cab");
  Documents().CloseAll();
  // "InitialCabinetMode" 1: the settings only; "/A" another cabinet.
  Change("InitialCabinetMode=0", "InitialCabinetMode=1");
  ASSERT_TRUE(Run("/A=\"/home/q/other.cab\""));
  EXPECT_EQ(std::tuple(Documents().Count(), gCabinet.Settings().DocType, gSettings.CabinetName),
            std::tuple(0u, kDocTypeCpp, "/home/q/other.cab"));
  EXPECT_EQ(StoredProfile().GetString("Settings", "CabinetName"), "/home/q/other.cab");
}

TEST(CommandLineTest, OptionsInEitherCaseWithOrWithoutEqualsOneFileAndHandedOverNames) {
  const struct {
    std::string text, cabinet;
    int line, column;
    std::string file;
  } cases[] = {
      {"  /a=\"/tmp/my cab.cab\"  -l=10 /C5 \"/tmp/a b.txt\" /tmp/ignored", "/tmp/my cab.cab", 10, 5, "/tmp/a b.txt"},
      {"data.bin /L=3", "", 0, 0, "data.bin"},     // the scan ends at the file
      {"/X=whatever /Lx file", "", 0, 0, "file"},  // an unknown option is passed over; atoi("x") is 0
      // Values of 256 characters are ignored; the end stops the scan.
      {"/A=" + std::string(256, 'c') + " /L=2 " + std::string(256, 'f'), "", 2, 0, ""},
      {"/A=" + std::string(255, 'c'), std::string(255, 'c'), 0, 0, ""},
      {"/", "", 0, 0, ""},
      {"/L=", "", 0, 0, ""},
      {"/A", "", 0, 0, ""},
      // Double-byte characters are not cut at their trail byte ("表" holds a
      // backslash byte; 0x82 0x20 is no real character, but not a separator).
      {"\"/tmp/\x95\x5C\x82\x22.txt\" rest", "", 0, 0, "/tmp/\x95\x5C\x82\x22.txt"},
      {"dir/\x82\x20x y", "", 0, 0, "dir/\x82\x20x"},
      {"/tmp/a y", "", 0, 0, "y"},  // an unquoted absolute path starts like an option
      // Absolute paths given as arguments stay file names; options stay options.
      {JoinArguments({"/l5", "/Afile.cab", "/tmp/c.bin"}), "file.cab", 5, 0, "/tmp/c.bin"},
      {JoinArguments({"/Library/x"}), "", 0, 0, "/Library/x"},
  };
  for (const auto& c : cases) {
    const CommandLineArguments a = ParseCommandLine(c.text);
    EXPECT_EQ(std::tie(a.cabinet, a.line, a.column, a.file), std::tie(c.cabinet, c.line, c.column, c.file))
        << c.text;
  }
  // A handed-over name list splits at absolute paths only.
  using Names = std::vector<std::string>;
  EXPECT_EQ(std::tuple(SplitHandOverNames("/tmp/a /tmp/b"), SplitHandOverNames("/tmp/a b"), SplitHandOverNames("one")),
            std::tuple(Names{"/tmp/a", "/tmp/b"}, Names{"/tmp/a b"}, Names{"one"}));
  std::string many;
  for (int i = 0; i < 25; ++i) many += "/f" + std::to_string(i) + " ";
  EXPECT_EQ(SplitHandOverNames(many).size(), 20u);
  const std::string message = OpenCommandMessage("/tmp/x \"y\".bin");
  EXPECT_EQ(message, "[open(\"/tmp/x \"y\".bin\")]");
  EXPECT_EQ(std::tuple(PathOfOpenCommand(message), PathOfOpenCommand("[close(\"/x\")]")),
            std::tuple("/tmp/x \"y\".bin", ""));
  EXPECT_EQ(JoinArguments({"/A=x", "/tmp/a b"}), "/A=x \"/tmp/a b\"");
  // A quoted argument holding two absolute paths reaches a running instance as two files.
  EXPECT_EQ(SplitHandOverNames(ParseCommandLine(JoinArguments({"/tmp/a /tmp/b"})).file).size(), 2u);
}

}  // namespace
}  // namespace quarn
