#include "core/commands/CommandCatalogue.h"

#include <algorithm>

#include "core/commands/CommandIds.h"
#include "core/common/ParameterBlock.h"
#include "core/res/StringTable.h"

namespace quarn {
namespace {

using H = CommandHandler;

// Commands named by the string-table entry of their own number.
struct Row {
  unsigned id;
  H handler;
  int index;
};

constexpr Row kNamedRows[] = {
    {cmd::kLineMarkToggle, H::kView, 20}, {cmd::kLineMarkNext, H::kView, 18}, {cmd::kLineMarkPrev, H::kView, 19},
    {cmd::kLineMarkClearAll, H::kView, 17}, {cmd::kMarkToggle, H::kView, 24}, {cmd::kMarkNext, H::kView, 22},
    {cmd::kMarkPrev, H::kView, 23}, {cmd::kMarkClearAll, H::kView, 21}, {cmd::kCabinetChange, H::kFrame, 0},
    {cmd::kCabinetNew, H::kFrame, 1}, {cmd::kCabinetFormat, H::kFrame, 2}, {cmd::kCabinetColors, H::kFrame, 3},
    {cmd::kFont, H::kFrame, 4}, {cmd::kCabinetKeywords, H::kFrame, -1}, {cmd::kGlobalFind, H::kFrame, 5},
    {cmd::kTagJump, H::kFrame, 37}, {cmd::kTagNext, H::kFrame, 38}, {cmd::kTagPrev, H::kFrame, 39},
    {cmd::kJump, H::kView, 36}, {cmd::kWriteProtect, H::kView, 34}, {cmd::kFindBoxFocus, H::kView, -1},
    {cmd::kPageLayout, H::kView, 35}, {cmd::kWindowMarkToggle, H::kFrame, -1}, {cmd::kWindowMarkNext, H::kFrame, -1},
    {cmd::kWindowMarkPrev, H::kFrame, -1}, {cmd::kWindowMarkClearAll, H::kFrame, -1}, {cmd::kAlignRight, H::kView, 28},
    {cmd::kCentre, H::kView, 27}, {cmd::kTabsToSpaces, H::kView, 26}, {cmd::kSpacesToTabs, H::kView, 25},
    {cmd::kSelectAll, H::kView, 29}, {cmd::kCutAppend, H::kView, 31}, {cmd::kCopyAppend, H::kView, 30},
    {cmd::kRulerBar, H::kView, -1}, {cmd::kLineBar, H::kView, -1}, {cmd::kRecord, H::kFrame, -1},
    {cmd::kPlay, H::kFrame, -1}, {cmd::kSaveOperation, H::kFrame, -1}, {cmd::kLoadOperation, H::kFrame, -1},
    {cmd::kKeyAssignment, H::kFrame, -1}, {cmd::kSettingsCommand, H::kFrame, 6}, {cmd::kCabinetSettings, H::kFrame, -1},
    {cmd::kTagWindow, H::kFrame, 40}, {cmd::kToggleCase, H::kView, 41}, {cmd::kUpperCase, H::kView, 42},
    {cmd::kLowerCase, H::kView, 43}, {cmd::kCapitalise, H::kView, 44}, {cmd::kToFullWidth, H::kView, 45},
    {cmd::kToHalfWidth, H::kView, 46}, {cmd::kToKatakana, H::kView, 47}, {cmd::kSplitLines, H::kView, 49},
    {cmd::kJoinLines, H::kView, 50}, {cmd::kToHiragana, H::kView, 48}, {cmd::kInsertDate, H::kView, 51},
    {cmd::kInsertTime, H::kView, 52}, {cmd::kInsertString, H::kView, 53}, {cmd::kToolCommand, H::kToolDialog, -1},
    {cmd::kToolOperation, H::kToolDialog, -1}, {cmd::kToolSeparator, H::kToolDialog, -1}, {cmd::kExplorer, H::kFrame, -1},
    {cmd::kRunProgram, H::kFrame, -1}, {cmd::kFindNext, H::kView, -1}, {cmd::kCustomise, H::kFrame, -1},
    {cmd::kIndent, H::kView, 54}, {cmd::kUnindent, H::kView, 55}, {cmd::kCommonSettings, H::kFrame, -1},
    {cmd::kExtractLines, H::kFrame, 56}, {cmd::kFreeConversion, H::kFrame, 59}, {cmd::kScreenCopy, H::kView, -1},
    {cmd::kCompare, H::kView, -1}, {cmd::kFormat, H::kView, -1}, {cmd::kCodeSwitch, H::kFrame, -1},
    {cmd::kHomePage, H::kFrame, -1}, {cmd::kFileNew, H::kApp, 8}, {cmd::kFileOpen, H::kApp, 7},
    {cmd::kFileClose, H::kDoc, 9}, {cmd::kFileSave, H::kDoc, 10}, {cmd::kFileSaveAs, H::kDoc, 11},
    {cmd::kPrintSetup, H::kApp, -1}, {cmd::kPrint, H::kView, 33}, {cmd::kPrintPreview, H::kView, 32},
    {cmd::kCopy, H::kView, 12}, {cmd::kCut, H::kView, 14}, {cmd::kFind, H::kView, -1}, {cmd::kPaste, H::kView, 13},
    {cmd::kReplace, H::kView, -1}, {cmd::kUndo, H::kView, 15}, {cmd::kRedo, H::kView, 16},
    {cmd::kWindowNew, H::kFrame, -1}, {cmd::kWindowArrange, H::kFrame, -1}, {cmd::kWindowCascade, H::kFrame, -1},
    {cmd::kWindowTile, H::kFrame, -1}, {cmd::kAbout, H::kApp, -1}, {cmd::kAppExit, H::kFrame, -1},
};

// Commands without a string-table entry of their own, as ranges.
struct Range {
  unsigned first;
  unsigned last;
  H handler;
};

constexpr Range kUnnamedRanges[] = {
    {cmd::kFindPrev, cmd::kFindPrev, H::kView},
    {cmd::kFirstUserTool, cmd::kLastUserTool, H::kFrame},
    {cmd::kFirstFrequentDirectory, cmd::kLastFrequentDirectory, H::kApp},
    {cmd::kFirstRecentFile, cmd::kLastRecentFile, H::kApp},
    {cmd::kWindowTileVertical, cmd::kWindowSplit, H::kFrame},
    {cmd::kFirstHelpCommand, cmd::kLastHelpCommand, H::kApp},
    {cmd::kWindowNext, cmd::kWindowPrev, H::kFrame},
};

std::vector<CommandInfo> BuildCatalogue() {
  std::vector<CommandInfo> rows;
  for (const Row& r : kNamedRows) rows.push_back({r.id, r.id, r.handler, r.index});
  for (const Range& r : kUnnamedRanges)
    for (unsigned id = r.first; id <= r.last; ++id) rows.push_back({id, 0, r.handler, -1});
  std::sort(rows.begin(), rows.end(), [](const CommandInfo& a, const CommandInfo& b) { return a.id < b.id; });
  return rows;
}

std::array<unsigned, kRecordableCount> BuildRecordable() {
  std::array<unsigned, kRecordableCount> table;
  table.fill(cmd::kWriteProtect);  // the fillers 57 and 58 keep it
  for (const CommandInfo& c : CommandCatalogue())
    if (c.recordIndex >= 0) table[std::size_t(c.recordIndex)] = c.id;
  return table;
}

}  // namespace

const std::vector<CommandInfo>& CommandCatalogue() {
  static const std::vector<CommandInfo> rows = BuildCatalogue();
  return rows;
}

const CommandInfo* FindCommand(unsigned id) {
  const auto& rows = CommandCatalogue();
  const auto it = std::lower_bound(rows.begin(), rows.end(), id, [](const CommandInfo& c, unsigned v) { return c.id < v; });
  return it != rows.end() && it->id == id ? &*it : nullptr;
}

std::string CommandName(unsigned id) {
  const CommandInfo* c = FindCommand(id);
  if (!c || c->nameId == 0) return {};
  const std::string& text = LoadString(c->nameId);
  return text.substr(0, text.find('\n'));
}

const std::array<unsigned, kRecordableCount>& RecordableCommandTable() {
  static const std::array<unsigned, kRecordableCount> table = BuildRecordable();
  return table;
}

std::uint32_t RecordableIndex(unsigned id) {
  const auto& table = RecordableCommandTable();
  return std::uint32_t(std::find(table.begin(), table.end(), id) - table.begin());
}

unsigned RecordedCommand(std::uint32_t index) {
  return index < kRecordableCount ? RecordableCommandTable()[index] : cmd::kWriteProtect;
}

const std::array<LegacyCommandPair, 58>& LegacyCommandMap() {
  static const std::array<LegacyCommandPair, 58> pairs = [] {
    constexpr unsigned kSame[] = {
        cmd::kCabinetChange, cmd::kCabinetNew, cmd::kCabinetFormat, cmd::kCabinetColors, cmd::kFont, cmd::kGlobalFind,
        cmd::kSettingsCommand, cmd::kFileNew, cmd::kFileOpen, cmd::kFileClose, cmd::kFileSave, cmd::kFileSaveAs,
        cmd::kPrint, cmd::kPageLayout, cmd::kFirstRecentFile, cmd::kFirstRecentFile + 1, cmd::kFirstRecentFile + 2,
        cmd::kLastRecentFile, cmd::kCopy, cmd::kPaste, cmd::kCut, cmd::kUndo, cmd::kRedo, cmd::kLineMarkClearAll,
        cmd::kLineMarkNext, cmd::kLineMarkPrev, cmd::kLineMarkToggle, cmd::kMarkClearAll, cmd::kMarkNext, cmd::kMarkPrev,
        cmd::kMarkToggle, cmd::kSpacesToTabs, cmd::kTabsToSpaces, cmd::kCentre, cmd::kAlignRight, cmd::kSelectAll,
        cmd::kCopyAppend, cmd::kCutAppend};
    // The older format numbered these commands differently.
    constexpr LegacyCommandPair kMoved[] = {
        {cmd::kPrintPreview, 57608}, {cmd::kWriteProtect, 59146}, {cmd::kJump, 100},      {cmd::kTagJump, 101},
        {cmd::kTagNext, 102},        {cmd::kTagPrev, 103},        {cmd::kTagWindow, 104}, {cmd::kToggleCase, 105},
        {cmd::kUpperCase, 106},      {cmd::kLowerCase, 107},      {cmd::kCapitalise, 108}, {cmd::kToFullWidth, 109},
        {cmd::kToHalfWidth, 110},    {cmd::kToKatakana, 111},     {cmd::kToHiragana, 112}, {cmd::kSplitLines, 113},
        {cmd::kJoinLines, 114},      {cmd::kInsertDate, 115},     {cmd::kInsertTime, 116}, {cmd::kInsertString, 117}};
    std::array<LegacyCommandPair, 58> all{};
    std::size_t n = 0;
    for (unsigned id : kSame) all[n++] = {id, id};
    for (const LegacyCommandPair& p : kMoved) all[n++] = p;
    return all;
  }();
  return pairs;
}

unsigned CurrentCommandOf(unsigned older) {
  for (const LegacyCommandPair& p : LegacyCommandMap())
    if (p.older == older) return p.current;
  return older;
}

bool ReplayRecord(ReplayTarget& target, std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) {
  ScopedParameterBlock block(data);
  if (type == rec::kFrameCommand) {
    target.SendFrameCommand(id);
    return true;
  }
  RecordReplayer* view = target.ReplayView();
  return !view || view->ReplayRecord(type, id, data);
}

}  // namespace quarn
