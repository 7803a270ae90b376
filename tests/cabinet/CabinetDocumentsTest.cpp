#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/FileCommands.h"
#include "core/app/CabinetCommands.h"
#include "core/app/CabinetMessages.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "CabinetFixture.h"
#include "fakes/FakeProgress.h"

namespace quarn {
namespace {

TEST_F(CabinetTest, DocumentsComeBackWithKindProtectionPlacementAndPosition) {
  CVeskDoc* bin = Open("/w/a.bin", kBinaryDoc);
  CVeskDoc* text = Open("/w/b.txt", kTextDoc);
  Open({}, kBinaryDoc);  // untitled: never listed
  bin->SetWriteProtected(true);
  frames.frames[bin].placement = WindowPlacement{44, 0, 1, {-1, -1}, {-1, -1}, {10, 20, 300, 200}};
  frames.frames[text].placement = WindowPlacement{44, 0, 3, {-1, -1}, {-1, -1}, {0, 0, 50, 60}};
  frames.frames[text].view->RestorePosition({1, 4, 2});
  frames.active = bin;
  ASSERT_TRUE(gCabinet.Save(true));
  EXPECT_EQ(Documents().Count(), 0u);
  ASSERT_TRUE(gCabinet.Open(true));
  ASSERT_EQ(OpenPaths(), (std::vector<std::string>{"/w/a.bin", "/w/b.txt"}));
  CVeskDoc& bin2 = Documents().At(0);
  CVeskDoc& text2 = Documents().At(1);
  EXPECT_EQ(std::tuple(bin2.DocKind(), bin2.IsWriteProtected(), text2.DocKind(), text2.IsWriteProtected()),
            std::tuple(kBinaryDoc, true, kTextDoc, false));
  // Placed hidden, then shown as stored.
  const auto& binFrame = frames.frames[&bin2];
  EXPECT_EQ(std::tuple(binFrame.placement.normalPosition, binFrame.placement.showCmd, binFrame.shown,
                       frames.frames[&text2].shown), std::tuple(Rect{10, 20, 300, 200}, 0u, 1u, 3u));
  EXPECT_EQ(frames.activations, (std::vector<CVeskDoc*>{&bin2}));
  EXPECT_EQ(frames.frames[&text2].view->TakePendingTextPosition(), (PositionWords{1, 4, 2}));
}

TEST_F(CabinetTest, WithoutAnActiveEntryTheFirstIsActivatedAndMaximisedAndMissingFilesAreSkipped) {
  // A name in a form no run writes (an earlier version's code) is reported.
  WriteOther("/w/one.cab", {"/w/gone.txt", "/w/b.txt", "/w/\xF0\x40.txt", "/w/a.bin"});
  ASSERT_TRUE(gCabinet.Open(true));
  ASSERT_EQ(OpenPaths(), (std::vector<std::string>{"/w/b.txt", "/w/a.bin"}));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_NE(platform.messages.shown[0].text.find("\n/w/\xF0\x40.txt"), std::string::npos);
  EXPECT_EQ(frames.activations, (std::vector<CVeskDoc*>{&Documents().At(0)}));
  EXPECT_EQ(std::pair(frames.frames[&Documents().At(0)].maximized, gCabinet.Settings().DocType),
            std::pair(true, int(kDocTypeC)));
  // "中断" in the progress window before the second entry: the first stays open.
  Documents().CloseAll();
  fakes::FakeProgress progress;
  progress.stopAfter = 2;  // asked before each entry
  ASSERT_TRUE(gCabinet.Open(true));
  EXPECT_EQ(OpenPaths(), (std::vector<std::string>{"/w/b.txt"}));
  EXPECT_FALSE(gProcess.reopeningCabinet);
  EXPECT_FALSE(progress.isOpen);
}

TEST_F(CabinetTest, FilesThatCannotBeTakenChangeNothingAndFileOpenTakesOnlyCabinets) {
  const std::vector<std::pair<const char*, std::string>> cases = {  // missing, unreadable, malformed
      {nullptr, ""}, {"x", kCabinetReadFailed}, {"\x7F\x7F\x7F", LoadString(msg::kCabinetMalformed)}};
  for (const auto& [bytes, message] : cases) {
    fakes::FakePlatform local;
    local.files.directories = {"/w"};
    if (bytes) local.files.files["/w/one.cab"] = bytes;
    if (bytes == cases[1].first) local.files.unreadable.insert("/w/one.cab");
    gCabinet.Current().kinsoku = 1;
    EXPECT_FALSE(gCabinet.Open(true)) << message;
    EXPECT_EQ(gCabinet.Current().kinsoku, 1) << message;
    ASSERT_EQ(local.messages.shown.size(), bytes ? 1u : 0u) << message;
    EXPECT_EQ(local.messages.shown.empty() ? "" : local.messages.shown[0].text.substr(0, message.size()), message);
  }
  // File open takes a cabinet only when it is one: this starts like a cabinet header but is not one.
  const std::string lookalike = std::string("\x01\0\0\0\x10\0\0\0", 8) + std::string(40, '\x05');
  platform.files.files["/w/data.bin"] = lookalike;
  CVeskDoc* doc = OpenInMode(Documents(), "/w/data.bin", kOpenAuto, false);
  EXPECT_EQ(doc ? doc->DocKind() : 0, kBinaryDoc);
  EXPECT_FALSE(platform.Shown(msg::kCabinetMalformed));
  EXPECT_EQ(OpenInMode(Documents(), "/w/data.bin", kOpenCabinet, false), nullptr);
  EXPECT_TRUE(platform.Shown(msg::kCabinetMalformed));
  WriteOther("/w/two.cab", {});
  EXPECT_EQ(OpenInMode(Documents(), "/w/two.cab", kOpenAuto, false), nullptr);
  EXPECT_EQ(gCabinet.Path(), "/w/two.cab");
  EXPECT_EQ(Documents().Count(), 0u);
}

// The file stays the current cabinet and the next save replaces it: what
// it held is kept beside it, and the message names the copy. Copies of
// earlier runs are not written over.
TEST_F(CabinetTest, AMalformedCabinetIsKeptBesideItselfBeforeItIsReplaced) {
  const std::string bad[] = {std::string(200, '\x7F'), std::string(40000, '\x01'), std::string(200, '\x7F')};
  const char* copies[] = {"/w/one.cab.bad", "/w/one.cab.bad2", "/w/one.cab.bad"};
  for (int run = 0; run < 3; ++run) {
    platform.files.files["/w/one.cab"] = bad[run];
    platform.messages.shown.clear();
    EXPECT_FALSE(gCabinet.Open(true));
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_NE(platform.messages.shown[0].text.find(std::string(" ") + copies[run] + " "), std::string::npos) << run;
    EXPECT_EQ(platform.files.files[copies[run]], bad[run]) << run;
  }
  EXPECT_EQ(platform.files.files.count("/w/one.cab.bad3"), 0u);
  ASSERT_TRUE(gCabinet.Save(false));
  EXPECT_EQ(File("/w/one.cab").format, CabinetFormat::kCurrent);
  // A cabinet that is only looked at stays as it is: no copy.
  platform.files.files["/w/other.cab"] = bad[0];
  EXPECT_FALSE(OpenAsCabinet("/w/other.cab"));
  EXPECT_EQ(platform.files.files.count("/w/other.cab.bad"), 0u);
}

TEST_F(CabinetTest, AFailedOrRefusedSaveKeepsTheDocumentsOpen) {
  CVeskDoc* bin = Open("/w/a.bin", kBinaryDoc);
  gSettings.CabinetSave = 0;  // nothing is written before the documents are saved
  gCabinet.SaveIfImmediate();
  EXPECT_EQ(platform.files.files.count("/w/one.cab"), 0u);
  platform.files.failingWrites.insert("/w/one.cab");
  EXPECT_FALSE(gCabinet.Save(true));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, kCabinetWriteFailed);
  EXPECT_EQ(Documents().Count(), 1u);
  // A modified document the user keeps with Cancel keeps everything open.
  platform.files.failingWrites.clear();
  bin->SetModifiedFlag(true);
  platform.messages.answers = {answer::kCancel};
  EXPECT_FALSE(gCabinet.Save(true));
  EXPECT_EQ(Documents().Count(), 1u);
}

TEST_F(CabinetTest, ChangingTheCabinetSavesTheOldOneAndOpensTheNewOnesDocuments) {
  Open("/w/a.bin", kBinaryDoc);
  WriteOther("/w/One.cab", {"/w/b.txt"});
  EXPECT_FALSE(OpenAsCabinet("/w/one.cab"));  // the current one
  EXPECT_EQ(platform.beep.beeps, std::vector<unsigned>{48});
  EXPECT_FALSE(OpenAsCabinet("/w/none.cab"));
  EXPECT_EQ(OpenPaths(), std::vector<std::string>{"/w/a.bin"});
  // Played back: the recorded path, no dialog; a name differing only in case is another cabinet.
  std::vector<std::uint8_t> record = {'O', 'n', 'e', '.', 'c', 'a', 'b', 0};
  RunCabinetCommand(cabinet_command::kChange, &record);
  EXPECT_EQ(platform.dialogs.requests.size(), 0u);
  EXPECT_EQ(File("/w/one.cab").entries.at(0).path, "/w/a.bin");
  EXPECT_EQ(OpenPaths(), std::vector<std::string>{"/w/b.txt"});
  EXPECT_EQ(gCabinet.Path() + " " + gSettings.CabinetName, "/w/One.cab /w/One.cab");
  EXPECT_EQ(std::pair(gCabinet.Settings().DocType, frames.captions), std::pair(int(kDocTypeC), 1));
  // From the menu: the file dialog opens in the cabinet's directory.
  platform.dialogs.fileAnswers = {"/w/one.cab"};
  RunCabinetCommand(cabinet_command::kChange);
  EXPECT_EQ(std::pair(platform.dialogs.requests.at(0).initialDir, OpenPaths()),
            std::pair(std::string("/w"), std::vector<std::string>{"/w/a.bin"}));
}

TEST(CabinetName, TheDialogAppendsCabUnlessADotEndsTheName) {
  fakes::FakePlatform platform;
  // The name typed, the type chosen, the name taken ("" when refused).
  const std::vector<std::tuple<std::string, int, std::string>> cases = {
      {"work", 0, "work.cab"}, {"work.txt", 0, "work.txt"}, {"my.notes", 0, "my.notes.cab"}, {"a.b", 0, "a.b"},
      {"/w/x", 0, "/w/x.cab"}, {std::string(300, 'n'), 0, std::string(300, 'n')}, {"work", -1, ""},
      {"", 1, ""}, {"/w/", 1, ""}, {"/w/..", 1, ""}};
  for (const auto& [typed, type, taken] : cases) {
    std::string name = typed;
    EXPECT_EQ(AcceptCabinetName(name, type) ? name : "", taken) << typed;
  }
  EXPECT_EQ(std::pair(platform.beep.beeps.size(), platform.CountShown(msg::kCabinetBadPath)), std::pair(1ul, 3ul));
}

// A new cabinet of type 3 copies the current one and keeps the documents; one of a built-in type
// closes them, and Cancel over an existing file goes back to the dialog.
TEST_F(CabinetTest, ANewCabinetCopiesTheCurrentOneOrStartsFromABuiltinType) {
  Open("/w/a.bin", kBinaryDoc);
  gCabinet.Current().kinsoku = 1;
  gCabinet.CopyCurrentToSaved();
  dialogs.createScript = {[](CabCreateRequest& r) { return r.name = "copy", r.type = 3, true; }};
  RunCabinetCommand(cabinet_command::kNew);
  EXPECT_EQ(std::pair(gCabinet.Path(), OpenPaths()),
            std::pair(std::string("/w/copy.cab"), std::vector<std::string>{"/w/a.bin"}));
  const CabinetContents copy = File("/w/copy.cab");
  EXPECT_EQ(std::pair(copy.entries.size(), copy.set.kinsoku), std::pair(1ul, 1));
  EXPECT_EQ(File("/w/one.cab").entries.size(), 1u);
  WriteOther("/w/taken.cab", {});
  platform.messages.answers = {answer::kCancel};
  dialogs.createScript = {[](CabCreateRequest& r) { return r.name = "taken", r.type = 2, true; },
                          [](CabCreateRequest& r) {
                            EXPECT_EQ(r.name, "taken.cab");  // shown again as entered
                            return r.name = "fresh", true;
                          }};
  RunCabinetCommand(cabinet_command::kNew);
  EXPECT_EQ(std::tuple(platform.Shown(msg::kCabinetExists), dialogs.createShown, gCabinet.Path()),
            std::tuple(true, 3, "/w/fresh.cab"));
  EXPECT_EQ(gCabinet.Settings(), BuiltinDocType(kDocTypeCpp));
  // The old cabinet's document, reopened after the Cancel, is closed; the new one starts untitled.
  ASSERT_EQ(OpenPaths(), std::vector<std::string>{""});
  EXPECT_TRUE(frames.frames[&Documents().At(0)].maximized);
  // A new cabinet lists no documents and ends after its filter lists.
  EXPECT_EQ(platform.files.files["/w/fresh.cab"], WriteCabinet({}, CabinetSet::Builtin(kDocTypeCpp), false));
}

}  // namespace
}  // namespace quarn
