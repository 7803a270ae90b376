#include "core/textview/TagLineClick.h"

namespace quarn {

TagLineHandler& TagLineDoubleClickHandler() {
  static TagLineHandler handler;
  return handler;
}

}  // namespace quarn
