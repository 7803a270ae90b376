#include "platform/CabinetDialogService.h"

namespace quarn {

CabinetDialogService*& CabinetDialogs() {
  static CabinetDialogService* service = nullptr;
  return service;
}

}  // namespace quarn
