// The program's fonts (LOGFONT records with face names of the original
// platform) as installed Qt fonts.
#pragma once

#include <QFont>
#include <QString>

#include "platform/Types.h"

class QPaintDevice;

namespace quarn::qt {

// The installed family for a CP932 face name: an installed family of that
// name, else the Japanese font of the same kind (gothic or mincho, fixed or
// proportional), else the system's fixed-pitch font.
QString FamilyForFace(const std::string& cp932Face, std::uint8_t pitchAndFamily);

// The font for lf on device (pixel sizes are the device's): a negative
// height is the character height in pixels, a positive one the cell
// height, 0 a default size; width, weight, italic, underline and strike-out
// are honoured.
QFont FontForLogFont(const LogFont& lf, QPaintDevice* device);

}  // namespace quarn::qt
