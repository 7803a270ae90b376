// The customisation sheet and its keyboard page. Plain values go in and
// out; what the page's buttons do is the program's, handed in as functions
// that update the page's values.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quarn {

// Page 115 "キーボード".
struct KeyboardPage {
  enum class Focus { kNone, kCommands, kKeyBox };

  int category = 0;                   // the buttons 151 to 153: menu, operation, other
  std::vector<std::string> commands;  // list 154
  int command = -1;                   // its selection; -1 none
  std::vector<std::string> keys;      // list 155: the keys bound to the command
  int key = -1;                       // its selection; -1 none
  bool ctrl = false;                  // 156
  bool shift = false;                 // 157
  std::string keyText;                // combo box 158, typed or chosen
  std::vector<std::string> keyNames;  // its list
  Focus focus = Focus::kNone;         // where a refused button puts the focus
  bool listRequested = false;         // "一覧作成" closed the sheet
};

struct CustomiseSheetRequest {
  std::string title;
  int page = 0;  // in: the page shown first; out: the page shown last
  KeyboardPage keyboard;
  // The page's actions; each reads and updates the page.
  std::function<void(KeyboardPage&)> categoryChanged;
  std::function<void(KeyboardPage&)> commandChanged;
  std::function<void(KeyboardPage&)> addKey;
  std::function<void(KeyboardPage&)> removeKey;
};

class KeyDialogService {
 public:
  virtual ~KeyDialogService() = default;
  // True for OK, and when "一覧作成" closed the sheet.
  virtual bool customiseSheet(CustomiseSheetRequest& request) = 0;
};

// The service installed by the platform (null until then).
KeyDialogService*& KeyDialogs();

}  // namespace quarn
