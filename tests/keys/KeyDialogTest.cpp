#include <gtest/gtest.h>

#include "KeyFixture.h"
#include "core/app/KeyCommands.h"
#include "core/commands/CommandLists.h"
#include "core/keys/CKeyDialog.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "fakes/FakeKeys.h"
#include "platform/KeyCodes.h"

namespace quarn {
namespace {

constexpr int kSelectAllRow = 20;  // 32803 in the menu command list

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

TEST_F(KeyDialogTest, CategoriesListTheirCommandsWithTheFirstChosen) {
  ASSERT_EQ(page.commands.size(), 35u);
  EXPECT_EQ(page.commands[29], "\x83\x74\x83\x48\x83\x93\x83\x67");  // フォント(&F)... shows as フォント
  EXPECT_EQ(page.command, 0);
  EXPECT_TRUE(page.keys.empty());
  Choose(0, 13);  // copy
  EXPECT_EQ(page.keys, (std::vector<std::string>{"Ctrl+C", "Ctrl+Insert"}));
  Choose(2, 0);
  EXPECT_EQ(page.commands, (std::vector<std::string>{texts::kOtherFindBox, texts::kOtherFindNext, texts::kOtherFindPrev}));
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
    Choose(0, kSelectAllRow);
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

TEST_F(KeyDialogTest, RemoveTakesTheChosenKeyOfTheChosenCommand) {
  Choose(0, 13);
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
}

TEST_F(KeyDialogTest, TheSheetSavesOnOkRestoresOnCancelAndMakesTheList) {
  fakes::FakeKeyDialogs sheets;
  fakes::FakeOperationLibrary library;
  gKeyTable.SetDefaults();
  gKeyTable.AddOperationKey('1', 1, "deleted");
  auto bindF5 = [](CustomiseSheetRequest& r) {
    r.keyboard.command = kSelectAllRow;
    r.commandChanged(r.keyboard);
    r.keyboard.keyText = "F5";
    r.addKey(r.keyboard);
    return true;
  };
  sheets.script = {[&](CustomiseSheetRequest& r) { return !bindF5(r); },  // Cancel
                   bindF5,
                   [](CustomiseSheetRequest& r) { return r.keyboard.listRequested = true; }};
  HintFrames frames;
  DocTemplate documents;
  documents.SetFrameFactory(&frames);

  EXPECT_TRUE(RunKeyCommand(32873, documents));
  EXPECT_EQ(gKeyTable.Entries(), defaults);  // the deleted operation's key went first
  EXPECT_EQ(platform.files.files.at(kKeyFile), WriteKeyFile(defaults));
  EXPECT_TRUE(RunKeyCommand(32873, documents));
  EXPECT_EQ(gKeyTable.FindBinding(116, 0), int(defaults.size()));
  EXPECT_EQ(platform.files.files.at(kKeyFile), WriteKeyFile(gKeyTable.Entries()));
  EXPECT_EQ(menus::GetMenuString(menus::MainMenu(), 32803).substr(LoadString(32803).size()), "\tF5");
  EXPECT_EQ(documents.Count(), 0u);
  EXPECT_TRUE(RunKeyCommand(32873, documents));
  ASSERT_EQ(documents.Count(), 1u);
  EXPECT_EQ(frames.hints.size(), 1 + gKeyTable.KeyListLines().size());
  EXPECT_EQ(sheets.shown, 3);

  CommandState state;
  EXPECT_TRUE(UpdateKeyCommand(32873, state) && state.enabled);
  EXPECT_FALSE(RunKeyCommand(32812, documents));
  documents.CloseAll();
  gKeyTable.SetDefaults();
  gKeyTable.UpdateMenuKeys(menus::MainMenu());
}

}  // namespace
}  // namespace quarn
