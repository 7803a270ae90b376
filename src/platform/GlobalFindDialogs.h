// The dialogs of the global find: the dialog that asks what to search where
// ("グローバル検索"), and the modeless progress window that shows the file
// being searched and the count, with its stop button. Plain values go in and
// out; the checks are the program's, handed in as a function.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quarn {

struct GlobalFindDialogRequest {
  std::string text;                      // "検索する文字列(&N):", CP932
  std::vector<std::string> textHistory;  // its list, newest first
  std::string pattern;                   // "検索するファイル(&F):"
  std::vector<std::string> patternHistory;
  std::string directory;  // the folder a relative pattern is taken in, ending in "/"
  bool matchCase = false;       // "大文字／小文字を区別する(&U)"
  bool subdirectories = true;   // "サブディレクトリも検索する(&S)"
  bool distinguishWidth = true; // "半角と全角を区別する(&D)"
  bool regular = false;         // "正規表現を使用する(&R)"
  // OK: false keeps the dialog open (after the check's beep or message).
  std::function<bool(const GlobalFindDialogRequest&)> accept;
};

// The progress window: open from its creation until it is destroyed.
class GlobalFindProgressWindow {
 public:
  virtual ~GlobalFindProgressWindow() = default;
  // "検索中 : " and the file's name.
  virtual void setFile(const std::string& name) = 0;
  // "見つかった個数 : " and the count.
  virtual void setCount(std::uint32_t count) = 0;
  // Handles the events that are waiting (the window stays responsive); true
  // once "中断" was pressed or the application is quitting.
  virtual bool pumpAndAskStop() = 0;
};

class GlobalFindDialogService {
 public:
  virtual ~GlobalFindDialogService() = default;
  // True for OK; the request then holds what the user left in the controls.
  virtual bool globalFindDialog(GlobalFindDialogRequest& request) = 0;
  // Null when the window cannot be made (the search then runs without it).
  virtual std::unique_ptr<GlobalFindProgressWindow> openProgress() = 0;
};

// The service installed by the platform (null until then).
GlobalFindDialogService*& GlobalFindDialogs();

}  // namespace quarn
