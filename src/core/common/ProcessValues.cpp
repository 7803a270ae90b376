#include "core/common/ProcessValues.h"

namespace quarn {

void SetDocumentLimits(int maxEditRange) {
  if (maxEditRange >= 1 && maxEditRange <= 50) {
    gProcess.maxBytes = std::uint32_t(maxEditRange) * 10485760u;
    gProcess.maxRows = std::uint32_t(maxEditRange) * 100000u;
  } else {
    gProcess.maxBytes = 314572800u;
    gProcess.maxRows = 1000000u;
  }
}

}  // namespace quarn
