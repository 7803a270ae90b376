// The data of the recorded command being replayed. Playback sets it before
// it sends the command; a handler that takes parameters reads it instead of
// showing its dialog. Outside playback nothing is set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
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

// The block of a command that takes a text and some 32-bit values: the
// text with its zero byte, then the values.
std::vector<std::uint8_t> TextParameters(const std::string& text, const std::vector<std::int32_t>& values = {});
// Reads such a block; false when the zero or a value is missing.
bool ReadTextParameters(const std::vector<std::uint8_t>& data, std::string& text, std::vector<std::int32_t>& values);

}  // namespace quarn
