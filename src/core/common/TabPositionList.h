// The tab positions of "タブキーで空白を入力" as the settings hold them.
#pragma once

#include <array>
#include <cstddef>

namespace quarn {

struct TabPositionList {
  static constexpr int kMax = 20;
  int count = 0;
  std::array<int, kMax> positions{};  // zero-based, strictly increasing
  friend bool operator==(const TabPositionList&, const TabPositionList&) = default;
};

// The ten positions an empty list stands for (1-based 8, 12, 20, ... 72).
inline TabPositionList DefaultTabPositions() {
  TabPositionList list;
  for (int column : {8, 12, 20, 28, 36, 44, 52, 60, 68, 72}) list.positions[std::size_t(list.count++)] = column - 1;
  return list;
}

}  // namespace quarn
