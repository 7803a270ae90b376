// The dialogs of running programs and inserting text: "プログラムの実行",
// "パラメータの設定" and "文字列の挿入". Plain values go in and out; the
// checks of OK are the program's, handed in as functions.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quarn {

// Dialog 125 "プログラムの実行".
struct RunDialogRequest {
  std::string command;                 // 191, a combo box listing...
  std::vector<std::string> history;    // ...the commands run before
  std::string parameters;              // 192
  std::string directory;               // 193
  bool dosInternal = false;            // 194
  bool redirect = false;               // 195
  bool iconic = false;                 // 196
  // The other fields of the history's entry i, when the user chose it.
  std::function<void(RunDialogRequest&, int)> historyChosen;
  // "参照(&B)...": the program chosen (empty when cancelled).
  std::function<std::string()> browse;
  // OK: false keeps the dialog open (after the check's beep or message).
  std::function<bool(const RunDialogRequest&)> accept;
};

// Dialog 118 "文字列の挿入".
struct InsertTextRequest {
  int position = 0;                  // 0 caret, 1 line start, 2 line end
  std::vector<std::string> codes;    // "特殊文字": "$Y  年(4桁)" and so on
  std::string text;                  // "文字列", at most 80 bytes
};

// The window shown while a program's output is read: open from its creation
// until it is destroyed.
class RunDialogService {
 public:
  virtual ~RunDialogService() = default;
  virtual bool runDialog(RunDialogRequest& request) = 0;
  // Dialog 122: one edit "パラメータ(&P):" with parameters; true for OK.
  virtual bool promptDialog(std::string& parameters) = 0;
  virtual bool insertTextDialog(InsertTextRequest& request) = 0;
};

// The service installed by the platform (null until then).
RunDialogService*& RunDialogs();

}  // namespace quarn
