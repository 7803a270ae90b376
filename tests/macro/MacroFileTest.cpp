// The command tables and the macro file reader against hand-built files of
// both formats and random records.
#include <gtest/gtest.h>

#include <random>

#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/macro/MacroFile.h"
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
std::string OlderFile(const std::string& comment, const std::vector<std::tuple<unsigned, unsigned, std::string>>& records) {
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

// Each recordable command's index leads back to it; an index out of the
// table replays as the write-protect switch.
TEST(CommandTables, IndexesLeadBackToTheirCommands) {
  for (std::uint32_t i = 0; i < kRecordableCount; ++i) {
    if (i != 57 && i != 58) {
      EXPECT_EQ(RecordableIndex(RecordableCommandTable()[i]), i);
    }
  }
  for (std::uint32_t index : {57u, 58u, 60u, 0xFFFFFFFFu}) EXPECT_EQ(RecordedCommand(index), cmd::kWriteProtect);
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
    EXPECT_EQ(back->comment, comment);
    EXPECT_EQ(back->records, records);
    EXPECT_EQ(back->count, count);
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
  const auto contents = ReadMacroFile(OlderFile("old", {{512, 9999, ""}, {256, 100, ""}, {512, cmd::kFont, font}, {304, 0, find}, {20, 3, "z"}}));
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

}  // namespace
}  // namespace quarn
