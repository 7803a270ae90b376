#include "core/print/PageLayoutFields.h"

#include "core/res/Texts.h"

namespace quarn {

PageLayoutFields gPageLayout;

LogFont PageLayoutFields::DefaultFont() {
  LogFont font;
  font.height = 9;
  font.weight = 400;
  font.charSet = 0x80;  // SHIFTJIS_CHARSET
  font.setFace(texts::kFontMsGothic);
  return font;
}

}  // namespace quarn
