// The program's one message box routine, its warning beep and the memory
// check that heavy commands make before they start.
#pragma once

#include <cstddef>
#include <string>

#include "platform/MessageService.h"

namespace quarn {

// Shows string-table text id (with "%1" replaced by arg when given) in a
// message box captioned "Quarn" and returns the button pressed. 59399 is
// shown instead as the fixed system-modal stop box captioned "KTR Sorva".
int AppMessageBox(unsigned id, unsigned style = mb::kOk | mb::kIconExclamation, const std::string& arg = {});

// The program's standard signal for a refused action ("BeepSoundType").
void WarningBeep();

// The warning beep, with notice said in the status bar's message pane so
// that a user who hears no sound still learns why nothing happened.
void WarningBeep(const std::string& notice);

// MessageBeep(-1), the simple beep.
void SimpleBeep();

// Tries a throw-away allocation of size bytes (1 MiB for 0); on failure shows
// 59399 and answers false.
bool MemoryCheck(std::size_t size = 0);

}  // namespace quarn
