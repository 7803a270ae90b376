#include "core/document/SaveName.h"

#include "core/encoding/Cp932.h"

namespace quarn {

std::string ProposedSaveName(const std::string& title) {
  constexpr std::size_t kMaxBytes = 8;
  std::string name;
  for (std::size_t i = 0; i < title.size();) {
    const std::size_t n = cp932::CharLength(std::uint8_t(title[i]));
    if (n == 1 && std::string_view(" #%;/\\").find(title[i]) != std::string_view::npos) break;
    if (name.size() + n > kMaxBytes || i + n > title.size()) break;
    name.append(title, i, n);
    i += n;
  }
  return name;
}

}  // namespace quarn
