// The data of the recorded command being replayed. Playback sets it before
// it sends the command; a handler that takes parameters reads it instead of
// showing its dialog. Outside playback nothing is set.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quarn {

// The bytes of the command being replayed, or nothing outside playback.
const std::optional<std::vector<std::uint8_t>>& ReplayedParameters();

// Sets the block for the life of the object (playback of one record).
class ScopedParameterBlock {
 public:
  explicit ScopedParameterBlock(std::vector<std::uint8_t> data);
  ~ScopedParameterBlock();
  ScopedParameterBlock(const ScopedParameterBlock&) = delete;
  ScopedParameterBlock& operator=(const ScopedParameterBlock&) = delete;

 private:
  std::optional<std::vector<std::uint8_t>> previous_;
};

}  // namespace quarn
