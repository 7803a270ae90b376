// The fixed 16-colour table that the ruler colours (and cabinets of the
// older format) name by an index 1 to 16.
#pragma once

#include "platform/Types.h"

namespace quarn {

// The colour of index 1 to 16; any other index gives colour 1 (black).
ColorRef PaletteColor(int index);

}  // namespace quarn
