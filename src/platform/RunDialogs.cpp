#include "platform/RunDialogs.h"

namespace quarn {

RunDialogService*& RunDialogs() {
  static RunDialogService* service = nullptr;
  return service;
}

}  // namespace quarn
