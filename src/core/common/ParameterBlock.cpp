#include "core/common/ParameterBlock.h"

#include <algorithm>
#include <utility>

#include "platform/Types.h"

namespace quarn {
namespace {

std::optional<std::vector<std::uint8_t>>& Block() {
  static std::optional<std::vector<std::uint8_t>> block;
  return block;
}

}  // namespace

const std::optional<std::vector<std::uint8_t>>& ReplayedParameters() { return Block(); }

ScopedParameterBlock::ScopedParameterBlock(std::vector<std::uint8_t> data)
    : previous_(std::exchange(Block(), std::move(data))) {}

ScopedParameterBlock::~ScopedParameterBlock() { Block() = std::move(previous_); }

std::vector<std::uint8_t> TextParameters(const std::string& text, const std::vector<std::int32_t>& values) {
  std::vector<std::uint8_t> out(text.begin(), text.end());
  out.push_back(0);
  for (std::int32_t v : values) {
    out.resize(out.size() + 4);
    PutLe32(out.data() + out.size() - 4, std::uint32_t(v));
  }
  return out;
}

bool ReadTextParameters(const std::vector<std::uint8_t>& data, std::string& text, std::vector<std::int32_t>& values) {
  const auto zero = std::find(data.begin(), data.end(), 0);
  if (zero == data.end()) return false;
  const std::size_t at = std::size_t(zero - data.begin()) + 1;
  if (data.size() - at < 4 * values.size()) return false;
  text.assign(data.begin(), zero);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = std::int32_t(GetLe32(data.data() + at + 4 * i));
  return true;
}

}  // namespace quarn
