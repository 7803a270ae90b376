// Macro files of both formats, and recording, saving, loading and playing
// operations with their dialogs and the frame's enable rules, on the fake
// platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <tuple>

#include "core/app/OperationCommands.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/common/ParameterBlock.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/MacroFile.h"
#include "core/macro/OperationDialogs.h"
#include "core/macro/OperationRecorder.h"
#include "core/res/MessageIds.h"
#include "fakes/FakeOperations.h"
#include "platform/Types.h"

namespace quarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8); }
void Put32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

// An older file: 16-bit heads, the format mark, then records given as
// (type, id, data).
std::string OlderFile(const std::string& comment,
                      const std::vector<std::tuple<unsigned, unsigned, std::string>>& records) {
  std::string body;
  for (const auto& [type, id, data] : records) {
    Put16(body, type), Put16(body, id), Put16(body, unsigned(data.size()));
    body += data;
  }
  std::string file;
  Put16(file, unsigned(9 + comment.size())), Put16(file, unsigned(body.size())), Put16(file, unsigned(records.size()));
  Put16(file, kOlderMacroMark);
  return file + comment + '\0' + body;
}

TEST(MacroFile, RandomRecordsRoundTrip) {
  std::mt19937 rng(14);
  for (int round = 0; round < 50; ++round) {
    Bytes records;
    const std::uint32_t count = rng() % 20;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t length = rng() % 40;
      Put32(records, rng() % 600), Put32(records, rng() % 70), Put32(records, length);
      for (std::uint32_t k = 0; k < length; ++k) records.push_back(std::uint8_t(rng()));
    }
    const std::string comment(rng() % 101, 'c');
    const auto back = ReadMacroFile(WriteMacroFile(comment, records.data(), records.size(), count));
    ASSERT_TRUE(back) << round;
    EXPECT_EQ(std::tie(back->comment, back->records, back->count), std::tie(comment, records, count)) << round;
  }
}

TEST(MacroFile, BadFilesAreRefused) {
  Bytes one;
  Put32(one, 16), Put32(one, 1), Put32(one, 2), one.push_back('x'), one.push_back('y');
  const std::string good = WriteMacroFile("c", one.data(), one.size(), 1);
  ASSERT_TRUE(ReadMacroFile(good));
  auto with = [&](std::size_t at, std::uint8_t v) {
    std::string s = good;
    s[at] = char(v);
    return s;
  };
  const std::string bad[] = {
      good.substr(0, good.size() - 1),  // truncated records
      good.substr(0, 10),               // truncated header
      with(12, 201),                    // another format number
      with(0, 19),                      // header length not 17 + comment
      with(8, 2),                       // more records than bytes
      with(8, 0),                       // fewer records than bytes
      with(26, 0xFF),                   // a record running past the records
      with(5, 0xF1),                    // more bytes than the buffer holds
      WriteMacroFile(std::string(101, 'c'), one.data(), one.size(), 1),
      std::string(200, '\xFF'),
      OlderFile("c", {{16, 0, "x"}}).substr(0, 14),
  };
  for (std::size_t i = 0; i < std::size(bad); ++i) EXPECT_FALSE(ReadMacroFile(bad[i])) << i;
  EXPECT_TRUE(ReadMacroComment(good.substr(0, 18)));
  EXPECT_FALSE(ReadMacroComment(good.substr(0, 17)));
}

TEST(MacroFile, OlderRecordsAreConverted) {
  std::string font(50, '\0');
  font[0] = char(0xF4), font[1] = char(0xFF);  // height -12
  font[10] = 1, font[18] = 'F';
  std::string find;
  for (int i = 0; i < 6; ++i) Put16(find, unsigned(i));
  find += std::string("ab\0c\0", 5);
  const auto contents = ReadMacroFile(
      OlderFile("old", {{512, 9999, ""}, {256, 100, ""}, {512, cmd::kFont, font}, {304, 0, find}, {20, 3, "z"}}));
  ASSERT_TRUE(contents);
  EXPECT_EQ(contents->comment, "old");
  ASSERT_EQ(contents->count, 5u);
  ASSERT_TRUE(RecordsFill(contents->records.data(), contents->records.size(), 5));
  std::vector<std::tuple<std::uint32_t, std::uint32_t, Bytes>> got;
  for (std::size_t at = 0; at < contents->records.size();) {
    const std::uint8_t* p = contents->records.data() + at;
    const std::uint32_t length = GetLe32(p + 8);
    got.emplace_back(GetLe32(p), GetLe32(p + 4), Bytes(p + 12, p + 12 + length));
    at += kRecordHead + length;
  }
  EXPECT_EQ(std::get<1>(got[0]), 34u);  // unknown: the write-protect switch
  EXPECT_EQ(std::get<1>(got[1]), RecordableIndex(cmd::kJump));
  const Bytes& wide = std::get<2>(got[2]);
  ASSERT_EQ(wide.size(), std::size_t(LogFont::kSize));
  EXPECT_EQ(std::int32_t(GetLe32(wide.data())), -12);
  EXPECT_EQ(wide[20], 1);
  EXPECT_EQ(wide[28], 'F');
  const Bytes& dialog = std::get<2>(got[3]);
  ASSERT_EQ(dialog.size(), 24u + 5u);
  EXPECT_EQ(GetLe32(dialog.data() + 20), 5u);
  EXPECT_EQ(std::string(dialog.begin() + 24, dialog.end()), std::string("ab\0c\0", 5));
  EXPECT_EQ(got[4], std::make_tuple(20u, 3u, Bytes{'z'}));
}

using Played = std::pair<unsigned, Bytes>;  // a frame command and its parameters

// Frame commands arrive with their parameter block and, as a view's do,
// record themselves again while recording; no view is active.
struct FrameTarget : ReplayTarget {
  void SendFrameCommand(unsigned id) override {
    played.push_back({id, ReplayedParameters().value_or(Bytes{})});
    RecordOperation(rec::kFrameCommand, id, played.back().second);
  }
  RecordReplayer* ReplayView() override { return nullptr; }
  std::vector<Played> played;
};

class OperationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QUARN_HOME", "/prog", 1);
    platform.files.directories = {"/prog"};
    ops.SetReplayTarget(&target);
  }
  void TearDown() override { unsetenv("QUARN_HOME"); }
  std::string Mac(const std::string& title) { return "/prog/" + title; }
  fakes::FakePlatform platform;
  fakes::FakeLister lister{platform.files};
  fakes::FakeOperationDialogs dialogs;
  fakes::FakeOperationKeys keys;
  FrameTarget target;
  COperationManeger ops;
};

TEST_F(OperationTest, RandomFrameCommandsSurviveSaveLoadAndPlay) {
  std::mt19937 rng(8);
  const auto& table = RecordableCommandTable();
  std::vector<Played> expected;
  ops.StartRecording();
  for (int i = 0; i < 200; ++i) {
    const unsigned id = rng() % 8 ? table[rng() % kRecordableCount] : cmd::kRecord;
    Bytes data(rng() % 30);
    for (auto& b : data) b = std::uint8_t(rng());
    RecordOperation(rec::kFrameCommand, id, data);
    // A command outside the table comes back as the write-protect switch.
    expected.push_back({RecordedCommand(RecordableIndex(id)), data});
  }
  EXPECT_EQ(ops.Count(), 200u);
  ASSERT_TRUE(ops.Save("ops", "comment"));
  EXPECT_FALSE(ops.IsRecording());
  RecordOperation(rec::kFrameCommand, cmd::kCopy);  // no longer recording
  COperationManeger other;
  other.SetReplayTarget(&target);
  other.Play("ops");
  EXPECT_EQ(std::pair(other.Name(), other.Comment()), std::pair(std::string("ops"), std::string("comment")));
  EXPECT_EQ(target.played, expected);
  EXPECT_FALSE(ReplayedParameters());
}

TEST_F(OperationTest, NamesAndPaths) {
  // The name typed, its file, and the name the list shows for that file;
  // the listed name leads back to the same file.
  const std::tuple<const char*, const char*, const char*> kNames[] = {
      {"TEST.MAC", "TEST.MAC", "TEST.MAC"}, {"x.mac", "x.mac", "x"},    {"a.txt", "a.txt.mac", "a.txt"},
      {"mac", "mac.mac", "mac"},            {"y.Mac", "y.Mac", "y.Mac"}, {"x.mac.mac", "x.mac.mac", "x.mac.mac"}};
  for (const auto& [typed, file, listed] : kNames) {
    EXPECT_EQ(COperationManeger::MacroPath(typed), Mac(file)) << typed;
    EXPECT_EQ(COperationManeger::ListName(typed), listed) << typed;
    EXPECT_EQ(COperationManeger::ListName(file), listed) << file;
    EXPECT_EQ(COperationManeger::MacroPath(listed), Mac(file)) << listed;
  }
}

TEST_F(OperationTest, EmptyBufferBeepsBadFilesLoadNothingAndAFullBufferEndsTheRecording) {
  ops.Play();
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  ops.StartRecording();
  RecordOperation(rec::kFrameCommand, cmd::kCopy);
  ops.StopRecording();
  platform.files.files[Mac("bad.mac")] = "not a macro";
  ops.Play("bad");
  ops.Play("missing");
  // A name from a key file that reaches out of the program's directory.
  ASSERT_TRUE(ops.Save("good", ""));
  platform.files.files["/prog/../out.mac"] = platform.files.files.at(Mac("good.mac"));
  ops.Play("../out");
  EXPECT_TRUE(target.played.empty());
  EXPECT_EQ(ops.Count(), 1u);
  EXPECT_EQ(ops.Name(), "");
  platform.files.failingWrites.insert(Mac("w.mac"));
  EXPECT_FALSE(ops.Save("w", ""));
  EXPECT_TRUE(platform.Shown(msg::kMacroWriteFailed));
  // A record passing the buffer ends the recording.
  ops.StartRecording();
  RecordOperation(rec::kTypedText, 0, Bytes(kRecordBufferSize - 2 * kRecordHead - 10));
  RecordOperation(rec::kTypedText, 0, Bytes(11));  // one byte too many
  EXPECT_TRUE(platform.Shown(msg::kRecordBufferFull));
  EXPECT_FALSE(ops.IsRecording());
  RecordOperation(rec::kTypedText, 0, Bytes(1));
  EXPECT_EQ(ops.Count(), 1u);
  ops.StartRecording();
  RecordOperation(rec::kTypedText, 0, Bytes(kRecordBufferSize - 2 * kRecordHead - 10));
  RecordOperation(rec::kTypedText, 0, Bytes(10));  // fills it exactly
  EXPECT_EQ(ops.Used(), kRecordBufferSize);
  EXPECT_TRUE(ops.IsRecording());
}

TEST_F(OperationTest, OperationListHoldsTheFirstHundredValidFiles) {
  const std::string file = WriteMacroFile("c", nullptr, 0, 0);
  // A capital extension is part of the listed name, which leads back to the file.
  for (int i = 0; i < 101; ++i) platform.files.files[Mac("op" + std::to_string(1000 + i) + ".MAC")] = file;
  platform.files.files[Mac("a-broken.mac")] = "xx";
  platform.files.files[Mac("a-other.txt")] = file;
  const auto names = ops.ReadOperationList();
  ASSERT_EQ(names.size(), kMaxOperations);
  EXPECT_EQ(names.front(), "op1000.MAC");
  EXPECT_EQ(names.back(), "op1099.MAC");
  EXPECT_EQ(ops.Operations().front().comment, "c");
}

TEST_F(OperationTest, SaveDialogRules) {
  ops.StartRecording();
  RecordOperation(rec::kFrameCommand, cmd::kCopy);
  platform.files.files[Mac("old.mac")] = "";
  keys.keys.emplace_back(0x74, keys::kShift, "old");
  platform.messages.answers = {answer::kOk, answer::kCancel, answer::kOk};
  auto step = [](std::string name, std::string key, bool ctrl, bool shift) {
    return [=](RecordDialogRequest& r) {
      r.name = name, r.keyText = key, r.ctrl = ctrl, r.shift = shift, r.comment = std::string(100, 'k');
      return true;
    };
  };
  dialogs.recordScript = {step("a/b", "", false, false),  // 59423
                          step("old", "", false, false),  // 59424, Cancel
                          step("old", "A", false, true),  // 59424 OK, then Shift+A beeps
                          step("old", "F5", false, false)};  // 59424 OK again, bound
  RunOperationCommand(ops, cmd::kSaveOperation);
  EXPECT_TRUE(platform.Shown(msg::kBadOperationName));
  EXPECT_EQ(platform.CountShown(msg::kOperationExists), 3u);
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  EXPECT_EQ(keys.purged, 1);
  EXPECT_EQ(keys.keys, (std::vector<std::tuple<int, int, std::string>>{{0x74, 0, "old"}}));
  EXPECT_EQ(keys.saved, 1);
  EXPECT_EQ(ReadMacroFile(platform.files.files[Mac("old.mac")]).value().comment, std::string(100, 'k'));
  EXPECT_EQ(ops.Name(), "old");
}

TEST_F(OperationTest, LoadDialogDeletesLoadsAndPlays) {
  ops.StartRecording();
  RecordOperation(rec::kFrameCommand, cmd::kFont, Bytes{7});
  ops.Save("one", "");
  ops.Save("two", "");
  auto press = [](std::string name, PlayDialogAnswer answer, std::function<void(PlayDialogRequest&)> also = {}) {
    return [=](PlayDialogRequest& r) {
      r.name = name;
      if (also) also(r);
      return answer;
    };
  };
  // Delete "two" (a second delete of it beeps), then OK removes its file.
  dialogs.playScript = {press("two", PlayDialogAnswer::kOk, [](PlayDialogRequest& r) {
    EXPECT_TRUE(r.remove("two"));
    EXPECT_FALSE(r.remove("two"));
  })};
  RunOperationCommand(ops, cmd::kLoadOperation);
  EXPECT_EQ(dialogs.shownNames, (std::vector<std::string>{"one", "two"}));
  EXPECT_FALSE(platform.files.files.count(Mac("two.mac")));
  EXPECT_TRUE(target.played.empty());
  // An unknown name beeps and stays; then play.
  dialogs.playScript = {press("nine", PlayDialogAnswer::kOk), press("one", PlayDialogAnswer::kPlay)};
  RunOperationCommand(ops, cmd::kLoadOperation);
  EXPECT_EQ(target.played, (std::vector<Played>{{cmd::kFont, Bytes{7}}}));
  EXPECT_EQ(platform.beep.beeps.size(), 2u);
}

}  // namespace
}  // namespace quarn
