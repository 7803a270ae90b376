// Common dialogs shown by the platform.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/SettingsDialogs.h"

namespace quarn {

struct FileDialogRequest {
  bool open = true;           // false: a save dialog
  std::string title;          // CP932
  std::string fileName;       // proposed name in, chosen full path out
  std::string filter;         // "title|pattern|...||" as the program builds it
  int filterIndex = 1;        // 1-based, in and out
  std::string initialDir;
  bool hideReadOnly = false;
  bool readOnly = false;      // the read-only check box, in and out
  bool fileMustExist = false;
  bool pathMustExist = false;
  bool showOpenMode = false;  // the "用途" list of the open dialog
  int openMode = 0;           // chosen mode 0..3, in and out
  std::vector<std::string> openModes;  // the list's entries, CP932
  // Told each mode the user chooses while the dialog is open.
  std::function<void(int)> openModeChanged;
};

// The one-line input of the jump dialog.
struct JumpDialogRequest {
  std::string title;  // CP932
  std::string label;
  std::string hint;
  std::string text;   // the last text in, the accepted text out
  int maxLength = 10;
  // Checked on OK: while it answers false (having said why) the dialog
  // selects its text and stays open.
  std::function<bool(const std::string&)> accept;
};

class DialogService {
 public:
  virtual ~DialogService() = default;
  // True when the user pressed OK.
  virtual bool fileDialog(FileDialogRequest& request) = 0;
  virtual bool jumpDialog(JumpDialogRequest& /*request*/) { return false; }
  // The sheet of the four common-settings pages for text documents.
  virtual bool commonSettingsSheet(CommonSettingsRequest& /*request*/) { return false; }
  // The common-settings dialog used when no text document is active.
  virtual bool binarySettingsDialog(BinarySettingsRequest& /*request*/) { return false; }
};

}  // namespace quarn
