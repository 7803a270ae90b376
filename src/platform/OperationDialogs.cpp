#include "platform/OperationDialogs.h"

namespace quarn {

OperationDialogService*& OperationDialogs() {
  static OperationDialogService* service = nullptr;
  return service;
}

}  // namespace quarn
