// The dialogs of the saved operations: dialog 112 (save the recorded
// operation under a name, with a comment and a shortcut key) and dialog 113
// (load, play or delete saved operations). Plain values go in and out; the
// checks are the program's, handed in as functions.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quarn {

struct RecordDialogRequest {
  std::string name;     // at most 260 bytes are typed
  std::string comment;  // at most 100 bytes are typed
  bool ctrl = false;
  bool shift = false;
  std::vector<std::string> keyNames;  // the key list
  int keyIndex = -1;                  // the list's selection; -1: none
  std::string keyText;                // the text typed into the key box
  // OK: false keeps the dialog open; focusName puts the focus on the name.
  std::function<bool(RecordDialogRequest&, bool& focusName)> accept;
};

struct PlayDialogRequest {
  std::vector<std::string> names;
  std::string name;  // in: the name selected first; out: the box's text
  // The shortcut key's name and the comment shown for a selected name.
  std::function<void(const std::string& name, std::string& key, std::string& comment)> describe;
  // The delete button: true when the name was marked (it leaves the box;
  // OK becomes "閉じる" and play is disabled); false after a beep.
  std::function<bool(const std::string& name)> remove;
  // OK: false (after a beep) keeps the dialog, the focus on the box.
  std::function<bool(const std::string& name)> accept;
};

enum class PlayDialogAnswer { kCancel, kOk, kPlay };

class OperationDialogService {
 public:
  virtual ~OperationDialogService() = default;
  // True for OK (after accept agreed).
  virtual bool recordDialog(RecordDialogRequest& request) = 0;
  virtual PlayDialogAnswer playDialog(PlayDialogRequest& request) = 0;
};

// The service installed by the platform (null until then).
OperationDialogService*& OperationDialogs();

}  // namespace quarn
