#include "core/print/ExpandInsertion.h"
#include "core/tools/ProgramStart.h"

namespace quarn {

std::string ExpandParameters(const std::string& text, const std::string& path, std::uint32_t line,
                             std::uint32_t column) {
  return ExpandInsertion(text, path, line, column);
}

}  // namespace quarn
