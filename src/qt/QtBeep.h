// The warning beep through the desktop's bell.
#pragma once

#include "platform/MessageService.h"

namespace quarn::qt {

class QtBeep : public BeepService {
 public:
  // Every beep type sounds the same: the desktop has one bell.
  void messageBeep(unsigned type) override;
};

}  // namespace quarn::qt
