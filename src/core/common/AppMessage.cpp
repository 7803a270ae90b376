#include "core/common/AppMessage.h"

#include <cstdlib>

#include "core/common/AppSettings.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "platform/Platform.h"

namespace quarn {

int AppMessageBox(unsigned id, unsigned style, const std::string& arg) {
  MessageService* messages = Platform().messages;
  if (!messages) return answer::kCancel;
  if (id == msg::kOutOfMemory)
    return messages->messageBox(texts::kOutOfMemoryText, texts::kMessageCaption,
                                mb::kOk | mb::kSystemModal | mb::kIconHand);
  std::string text = arg.empty() ? LoadString(id) : FormatString1(id, arg);
  return messages->messageBox(text, LoadString(57347), style);
}

void WarningBeep() {
  if (BeepService* beep = Platform().beep) beep->messageBeep(unsigned(gSettings.BeepSoundType));
}

void WarningBeep(const std::string& notice) {
  WarningBeep();
  if (MessageService* messages = Platform().messages) messages->statusNotice(notice);
}

void SimpleBeep() {
  if (BeepService* beep = Platform().beep) beep->messageBeep(0xFFFFFFFFu);
}

bool MemoryCheck(std::size_t size) {
  void* block = std::malloc(size ? size : 1048576);
  if (!block) {
    AppMessageBox(msg::kOutOfMemory);
    return false;
  }
  std::free(block);
  return true;
}

}  // namespace quarn
