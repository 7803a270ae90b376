#include "platform/ToolDialogs.h"

namespace quarn {

ToolDialogService*& ToolDialogs() {
  static ToolDialogService* service = nullptr;
  return service;
}

}  // namespace quarn
