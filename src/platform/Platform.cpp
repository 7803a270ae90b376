#include "platform/Platform.h"

namespace quarn {

PlatformServices& Platform() {
  static PlatformServices services;
  return services;
}

}  // namespace quarn
