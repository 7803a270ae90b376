#include "platform/KeyDialogs.h"

namespace quarn {

KeyDialogService*& KeyDialogs() {
  static KeyDialogService* service = nullptr;
  return service;
}

}  // namespace quarn
