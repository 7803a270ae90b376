// The dialog of the global find that asks what to search where
// ("グローバル検索"). Plain values go in and out; the checks are the
// program's, handed in as a function.
#pragma once

#include <cstdint>
#include <functional>
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

class GlobalFindDialogService {
 public:
  virtual ~GlobalFindDialogService() = default;
  // True for OK; the request then holds what the user left in the controls.
  virtual bool globalFindDialog(GlobalFindDialogRequest& request) = 0;
};

// The service installed by the platform (null until then).
GlobalFindDialogService*& GlobalFindDialogs();

}  // namespace quarn
