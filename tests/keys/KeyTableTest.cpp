// The key table, its file, the menu, the key list and the keyboard page, in
// the program directory "/prog".
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <tuple>

#include "core/app/DocTemplate.h"
#include "core/commands/CommandLists.h"
#include "core/document/CVeskDoc.h"
#include "core/keys/CAccTblManeger.h"
#include "core/keys/CKeyDialog.h"
#include "core/keys/KeyNames.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "fakes/FakeKeys.h"
#include "fakes/FakePlatform.h"
#include "platform/KeyCodes.h"
#include "platform/Types.h"

namespace quarn {
namespace {

constexpr char kKeyFile[] = "/prog/quarn.key";

// Frames whose document records the lines it is sent.
struct LineFrames : FrameFactory, DocumentView {
  bool CreateFrame(CVeskDoc& doc) override {
    doc.AddView(this);
    return !refuse;
  }
  void ActivateFrame(CVeskDoc&) override {}
  void DestroyFrame(CVeskDoc& doc) override { doc.RemoveView(this); }
  void OnUpdate(CVeskDoc& doc, int) override {
    const auto& b = doc.HintBytes();
    if (b.count) lines.emplace_back(reinterpret_cast<const char*>(b.bytes), b.count);
  }
  std::vector<std::string> lines;
  bool refuse = false;
};

class KeyTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QUARN_HOME", "/prog", 1);
    table.SetDefaults();
    documents.SetFrameFactory(&frames);
  }
  void TearDown() override {
    documents.CloseAll();
    unsetenv("QUARN_HOME");
  }
  std::string& File() { return platform.files.files[kKeyFile]; }
  fakes::FakePlatform platform;
  CAccTblManeger table;
  const std::vector<KeyEntry> defaults = CAccTblManeger().Entries();
  LineFrames frames;
  DocTemplate documents;
};

KeyEntry Menu(int key, int modifiers, unsigned command) {
  return {std::uint32_t(key), kKeyMenu, std::uint16_t(modifiers), std::uint16_t(command), {}};
}

std::vector<KeyEntry> Numbered(std::size_t n) {
  std::vector<KeyEntry> entries;
  for (std::size_t i = 0; i < n; ++i)
    entries.push_back({std::uint32_t('A' + i % 26), std::uint32_t(1 + i % 3), std::uint16_t(i / 26 % 4),
                       std::uint16_t(i % 3 == 1 ? 0 : 32768 + i), i % 3 == 1 ? "op" + std::to_string(i) : ""});
  return entries;
}

// 16-bit header and 18-byte entries (key, category, modifiers, command, a
// 10-byte name).
std::string OlderFile(const std::vector<std::array<std::uint16_t, 4>>& entries, const std::string& name) {
  std::string b(6 + 18 * entries.size(), '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(b.data());
  for (std::uint16_t v : {std::uint16_t(b.size()), std::uint16_t(entries.size()), std::uint16_t(0x0604)}) PutLe16(p, v), p += 2;
  for (const auto& e : entries) {
    for (std::uint16_t v : e) PutLe16(p, v), p += 2;
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 10), p), p += 10;
  }
  return b;
}

TEST_F(KeyTableTest, KeyFilesOfEachFormatAreReadAndMalformedOnesRefused) {
  File() = WriteKeyFile(Numbered(80));
  table.LoadKeys();
  EXPECT_EQ(table.Entries(), Numbered(80));
  File() = OlderFile({{'Q', 2, 1, 0}, {114, 1, 0, 32773}}, "TenLetters");
  table.LoadKeys();
  EXPECT_EQ(table.Entries(), (std::vector<KeyEntry>{{'Q', kKeyOperation, 1, 0, "TenLetters"}, {114, kKeyMenu, 0, 32773, "TenLetters"}}));
  EXPECT_TRUE(platform.messages.shown.empty());
  // Malformed files show 59428 and keep the table as it was.
  table.SetDefaults();
  const std::string good = WriteKeyFile(Numbered(3));
  auto with = [&](std::size_t at, std::uint32_t v, int width = 4) {
    std::string b = good;
    auto* p = reinterpret_cast<std::uint8_t*>(b.data()) + at;
    width == 4 ? PutLe32(p, v) : PutLe16(p, std::uint16_t(v));
    return b;
  };
  const std::string cut = good.substr(0, good.size() - 1);
  std::string olderCount = OlderFile({{'Q', 1, 1, 1}, {'R', 1, 1, 1}}, "");
  olderCount[2] = 1;
  const std::string cases[] = {
      cut,  // truncated, length field too big
      with(0, std::uint32_t(good.size() + 1)),  // whole entries, length field disagrees
      with(0, std::uint32_t(cut.size())).substr(0, cut.size()),  // length agrees, not a whole entry
      with(4, 2), with(8, 201),  // wrong count, wrong format
      with(12 + 8, 4, 2), with(12 + 276 + 4, 0), with(12 + 4, 4),  // modifiers 4, categories 0 and 4
      std::string(11, '\0'), with(0, 12 + 276 * 81) + std::string(276 * 78, '\0'),  // 11 bytes, 81 entries
      OlderFile({{'Q', 1, 4, 1}}, ""), olderCount, OlderFile(std::vector<std::array<std::uint16_t, 4>>(81, {'Q', 1, 1, 1}), ""),
  };
  for (const std::string& bytes : cases) {
    File() = bytes;
    table.LoadKeys();
    EXPECT_EQ(table.Entries(), defaults);
  }
  EXPECT_EQ(platform.CountShown(msg::kKeyFileMalformed), std::size(cases));
  // Unreadable: silently the defaults.
  platform.files.unreadable.insert(kKeyFile);
  table.LoadKeys();
  EXPECT_EQ(table.Entries(), defaults);
  EXPECT_EQ(platform.messages.shown.size(), std::size(cases));
}

TEST_F(KeyTableTest, AddRefusesABoundKeyAndAFullTable) {
  EXPECT_FALSE(table.AddKey(kKeyMenu, 114, keys::kCtrl, 32803, ""));  // Ctrl+F3 is bound
  EXPECT_TRUE(platform.Shown(msg::kKeyBoundAlready));
  EXPECT_FALSE(table.AddKey(kKeyOther, 'C' + 0x100, keys::kCtrl, 32850, ""));  // the low byte counts
  EXPECT_EQ(table.Entries(), defaults);
  EXPECT_TRUE(table.AddKey(kKeyOperation, 116, keys::kShift, 999, "mac1"));
  EXPECT_EQ(table.Entries().back(), (KeyEntry{116, kKeyOperation, 2, 0, "mac1"}));
  for (int i = 0; table.Entries().size() < 80; ++i) ASSERT_TRUE(table.AddKey(kKeyMenu, '0' + i % 10, 1 + i / 10, 32803, ""));
  EXPECT_FALSE(table.AddKey(kKeyMenu, 120, 0, 32803, ""));
  EXPECT_TRUE(platform.Shown(msg::kKeyTableFull));
  EXPECT_EQ(table.FindKey(kKeyOperation, 0, 0, "mac1"), 19);
  EXPECT_EQ(table.FindKey(kKeyMenu, 2, 57634, ""), 15);
  EXPECT_EQ(table.FindKey(kKeyMenu, 16, 57634, ""), -1);
}

TEST_F(KeyTableTest, TheModifierStateMustEqualTheEntrys) {
  fakes::FakeOperationLibrary library;
  table.AddOperationKey(116, keys::kShift, "mac1");
  // Key, modifiers, the command sent (0: not bound).
  const std::tuple<int, int, unsigned> cases[] = {
      {'C', keys::kCtrlShift, 32910}, {'C', keys::kCtrl, 57634}, {'C', 0, 0},     {'C', keys::kShift, 0},
      {114, 0, 32773},                {114, keys::kShift, 32774}, {'F', keys::kCtrl, 32790}, {'A', keys::kCtrlShift, 0},
  };
  for (const auto& [key, modifiers, id] : cases) {
    std::vector<unsigned> sent;
    EXPECT_EQ(table.TranslateKey(key, modifiers, [&](unsigned s) { sent.push_back(s); }), id != 0);
    EXPECT_EQ(sent, id ? std::vector<unsigned>{id} : std::vector<unsigned>{}) << key << "/" << modifiers;
  }
  EXPECT_TRUE(table.TranslateKey(116, keys::kShift, {}));
  EXPECT_EQ(library.played, std::vector<std::string>{"mac1"});
  EXPECT_EQ(KeyName(Menu(46 + 0x300, 3, 0)), "Ctrl+Shift+Delete");  // the low byte names the key
  EXPECT_EQ(KeyName(Menu(112, 1, 0)), "Ctrl+");                     // F1 has no name
  table.SetEntries({});
  EXPECT_FALSE(table.TranslateKey('C', keys::kCtrl, {}));
  // After the table: Alt+Backspace, Alt+Shift+Backspace, F1 and Shift+F1 alone.
  for (auto [key, alt, shift, ctrl, id] : {std::tuple{8, true, false, false, 57643u}, {8, true, true, false, 57644u},
                                           {112, false, false, false, 57670u}, {112, false, true, false, 57669u},
                                           {8, true, false, true, 0u}, {8, false, false, false, 0u}, {112, true, false, false, 0u}})
    EXPECT_EQ(FixedAccelerator(key, alt, shift, ctrl), id) << key << alt << shift << ctrl;
}

TEST_F(KeyTableTest, OperationKeysGoWithTheirOperations) {
  fakes::FakeOperationLibrary library;
  library.names = {"keep"};
  for (auto [key, name] : {std::pair{'1', "keep"}, {'2', "gone"}, {'3', "gone"}}) table.AddOperationKey(key, 1, name);
  // A directory that cannot be listed says nothing about what is gone.
  library.complete = false;
  table.PurgeOperationKeys();
  EXPECT_EQ(table.OperationKeyName("gone"), "Ctrl+2");
  library.complete = true;
  table.PurgeOperationKeys();
  EXPECT_EQ(table.FindKey(kKeyOperation, 0, 0, "gone"), -1);
  EXPECT_EQ(table.OperationKeyName("keep"), "Ctrl+1");
  EXPECT_EQ(File(), WriteKeyFile(table.Entries()));
  platform.files.uncreatable.insert(kKeyFile);
  table.RemoveOperationKeys("keep");
  EXPECT_EQ(table.Entries(), defaults);
  EXPECT_TRUE(platform.Shown(msg::kKeyFileWriteFailed));
}

// The menu shows the key with the fewest modifiers (none, Ctrl, Shift,
// Ctrl+Shift), then the highest code; checked against that rule written
// as a sort.
TEST_F(KeyTableTest, TheMenuShowsTheBestKeyAfterATab) {
  std::mt19937 rng(14);
  const std::vector<std::string>& names = keys::BindableKeyNames();
  for (int round = 0; round < 200; ++round) {
    table.SetEntries({});
    std::vector<std::pair<int, int>> bound;
    for (int n = rng() % 6; n > 0; --n) {
      const int key = *keys::KeyCodeOfName(names[rng() % names.size()]), modifiers = int(rng() % 4);
      if (std::find(bound.begin(), bound.end(), std::pair{key, modifiers}) != bound.end()) continue;
      bound.push_back({key, modifiers});
      ASSERT_TRUE(table.AddKey(kKeyMenu, key, modifiers, 32803, ""));
    }
    table.AddKey(kKeyOther, 0x7B, 0, 32803, "");  // not a menu key
    menus::MenuBar menu = menus::MainMenu();
    table.UpdateMenuKeys(menu);
    std::string expected = MenuCommandName(32803) + "(&A)";
    if (!bound.empty()) {
      const auto best = *std::min_element(bound.begin(), bound.end(), [](auto a, auto b) {
        return std::tuple(a.second, -a.first) < std::tuple(b.second, -b.first);
      });
      expected += "\t" + KeyName(Menu(best.first, best.second, 0));
    }
    ASSERT_EQ(menus::GetMenuString(menu, 32803), expected) << round;
  }
}

TEST_F(KeyTableTest, TheKeyListHasThreeSectionsWithTheKeysOfEachCommand) {
  fakes::FakeOperationLibrary library;
  library.names = {"mac1", "mac2"};
  table.AddOperationKey('M', keys::kCtrlShift, "mac2");
  // Keys of 57634 beyond the 256 bytes of a line are left out.
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(table.AddKey(kKeyMenu, '0' + i % 10, 1 + 2 * (i / 10), 57634, ""));
  menus::MenuBar menu = menus::MainMenu();
  table.UpdateMenuKeys(menu);
  const std::vector<std::string> lines = table.KeyListLines();
  ASSERT_EQ(lines.size(), 1 + 35 + 1 + 2 + 1 + 3u);
  auto padded = [](std::string name) { return name + std::string(30 - name.size(), ' '); };
  std::string copyKeys = "Ctrl+C  Ctrl+Insert  ";
  for (int i = 0; i < 10; ++i) copyKeys += "Ctrl+" + std::to_string(i) + "  ";
  for (int i = 0; i < 8; ++i) copyKeys += "Ctrl+Shift+" + std::to_string(i) + "  ";
  EXPECT_EQ(lines[14], padded(MenuCommandName(57634)) + copyKeys + "\r\n");
  EXPECT_EQ(lines[14].size(), 245u);  // "Ctrl+Shift+8  " would pass 256
  EXPECT_EQ(lines[37], padded("mac1") + "\r\n");
  EXPECT_EQ(lines[38], padded("mac2") + "Ctrl+Shift+M  \r\n");
  EXPECT_EQ(lines[42], padded(texts::kOtherFindPrev) + "Ctrl+P  \r\n");
  // Into a new text document, line after line.
  table.WriteKeyList(documents.OpenDocumentFile({}));
  EXPECT_EQ(frames.lines, lines);
  documents.CloseAll();
  frames.refuse = true;
  table.WriteKeyList(documents.OpenDocumentFile({}));
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
}

class KeyDialogTest : public KeyTableTest {
 protected:
  void SetUp() override {
    KeyTableTest::SetUp();
    dialog.OnInitDialog(page);
  }
  void Choose(int category, int command) {
    page.category = category;
    dialog.OnCategory(page);
    page.command = command;
    dialog.OnCommand(page);
  }
  CKeyDialog dialog{table};
  KeyboardPage page;
};

TEST_F(KeyDialogTest, CategoriesListTheirCommandsAndRemoveTakesTheChosenKey) {
  ASSERT_EQ(page.commands.size(), 35u);
  Choose(0, 13);  // copy
  EXPECT_EQ(page.keys, (std::vector<std::string>{"Ctrl+C", "Ctrl+Insert"}));
  // Remove takes the chosen key of the chosen command.
  page.key = 1;  // Ctrl+Insert
  dialog.OnRemove(page);
  EXPECT_EQ(page.keys, std::vector<std::string>{"Ctrl+C"});
  EXPECT_EQ(table.FindBinding(vk::kInsert, 1), -1);
  EXPECT_TRUE(platform.beep.beeps.empty());
  dialog.OnRemove(page);  // no key chosen
  page.keys = {"Ctrl+Insert"};  // a key no longer bound
  page.key = 0;
  dialog.OnRemove(page);
  EXPECT_EQ(platform.beep.beeps.size(), 2u);
  EXPECT_EQ(table.Entries().size(), defaults.size() - 1);
  Choose(2, 0);  // the find box
  EXPECT_EQ(page.keys, std::vector<std::string>{"Ctrl+F"});
  page.category = 1;  // no saved operations (none installed)
  dialog.OnCategory(page);
  EXPECT_EQ(page.command, -1);
  fakes::FakeOperationLibrary library;
  library.names = {"m1", "m2"};
  table.AddOperationKey('M', 3, "m2");
  Choose(1, 1);
  EXPECT_EQ(page.commands, library.names);
  EXPECT_EQ(page.keys, std::vector<std::string>{"Ctrl+Shift+M"});
}

TEST_F(KeyDialogTest, AddBindsOnlyAllowedKeysByTheirExactName) {
  using Focus = KeyboardPage::Focus;
  struct Case {
    bool ctrl, shift;
    const char* text;
    const char* added;  // the key listed afterwards, or null
    Focus focus;
  } cases[] = {
      {false, false, "A", nullptr, Focus::kKeyBox},       {false, false, "Insert", nullptr, Focus::kKeyBox},
      {false, false, "F5", "F5", Focus::kNone},           {false, true, "F5", "Shift+F5", Focus::kNone},
      {false, true, "A", nullptr, Focus::kKeyBox},        {false, true, "5", nullptr, Focus::kKeyBox},
      {true, false, "a", nullptr, Focus::kKeyBox},        {true, false, "F1", nullptr, Focus::kKeyBox},
      {true, false, "F13", nullptr, Focus::kKeyBox},      {true, false, "Delete ", nullptr, Focus::kKeyBox},
      {true, true, "Q", "Ctrl+Shift+Q", Focus::kNone},    {true, false, "F3", nullptr, Focus::kNone},  // bound
      {false, true, "Delete", nullptr, Focus::kNone},  // bound to cut
      {true, false, "Delete", "Ctrl+Delete", Focus::kNone},
  };
  std::size_t beeps = 0;
  for (const Case& c : cases) {
    Choose(0, 20);  // 32803, select all
    std::vector<std::string> keys = page.keys;
    page.ctrl = c.ctrl;
    page.shift = c.shift;
    page.keyText = c.text;
    dialog.OnAdd(page);
    if (c.added) keys.push_back(c.added);
    EXPECT_EQ(page.keys, keys) << c.text;
    EXPECT_EQ(page.focus, c.focus) << c.text;
    beeps += c.focus == Focus::kKeyBox;
    EXPECT_EQ(platform.beep.beeps.size(), beeps) << c.text;
  }
  EXPECT_EQ(platform.CountShown(msg::kKeyBoundAlready), 2u);
  EXPECT_EQ(table.Entries().back(), (KeyEntry{vk::kDelete, kKeyMenu, 1, 32803, {}}));
  page.command = -1;
  dialog.OnAdd(page);
  EXPECT_EQ(page.focus, Focus::kCommands);
}

}  // namespace
}  // namespace quarn
