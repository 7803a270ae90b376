#include "platform/GlobalFindDialogs.h"

namespace quarn {

GlobalFindDialogService*& GlobalFindDialogs() {
  static GlobalFindDialogService* service = nullptr;
  return service;
}

}  // namespace quarn
