#include "core/macro/ParameterBlock.h"

#include <utility>

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

}  // namespace quarn
