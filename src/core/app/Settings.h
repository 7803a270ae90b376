// The application-wide settings of the section "Settings", held in
// process-wide values that every part of the program reads directly.
#pragma once

#include <string>

#include "core/res/Texts.h"

namespace quarn {

struct AppSettings {
  int BeepSoundType = 48;
  int MaxEditRange = 0;
  int LineSpacesLM = 0;
  int LongTitle = 1;
  std::string ColumnOutString = texts::kColumnOutStringDefault;
};

inline AppSettings gSettings;

}  // namespace quarn
