// The models of the save dialog (CRecordDialog) and the load dialog
// (CPlayDialog) of the saved operations: what their buttons check and do.
#pragma once

#include <string>

#include "platform/OperationDialogs.h"

namespace quarn {

class COperationManeger;

class CRecordDialog {
 public:
  explicit CRecordDialog(COperationManeger& operations) : operations_(operations) {}
  // Shows the dialog; true when the user chose a valid name (and the key,
  // when one was given, is bound).
  bool DoModal();
  // The checks of OK: false keeps the dialog open.
  bool OnOK(RecordDialogRequest& request, bool& focusName);

  std::string name;
  std::string comment;
  bool keyAdded = false;

 private:
  COperationManeger& operations_;
};

class CPlayDialog {
 public:
  explicit CPlayDialog(COperationManeger& operations) : operations_(operations) {}
  PlayDialogAnswer DoModal();
  // The delete button: marks the listed name.
  bool OnDelete(const std::string& name);
  // OK: deletes the marked files, or checks the name is listed.
  bool OnOK(const std::string& name);

  std::string name;
  bool deleted = false;

 private:
  COperationManeger& operations_;
};

// The save command: the dialog, then the buffer saved (and the key file
// when a key was bound).
void SaveOperationCommand(COperationManeger& operations);
// The load command: the dialog, then the operation loaded or played.
void LoadOperationCommand(COperationManeger& operations);

}  // namespace quarn
