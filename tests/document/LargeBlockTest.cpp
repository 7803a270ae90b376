#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "core/document/CPsbManeger.h"
#include "platform/LargeBlock.h"

namespace quarn {
namespace {

constexpr std::size_t kMB = std::size_t(1) << 20;

// Run once with the blocks in mappings and once on the heap only.
class LargeBlockModes : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { LargeBlock::UseMappings(GetParam()); }
  void TearDown() override { LargeBlock::UseMappings(true); }
};

// Random sizes on both sides of the mapping threshold, against a vector:
// every resize keeps the bytes both sizes hold.
TEST_P(LargeBlockModes, ResizesKeepTheBytesOfAPlainVector) {
  std::mt19937 rng(7);
  LargeBlock block;
  std::vector<std::uint8_t> ref;
  const std::size_t sizes[] = {0, 1, 32768, LargeBlock::kMapFrom - 1, LargeBlock::kMapFrom, 3 * kMB + 5, 9 * kMB};
  for (int step = 0; step < 60; ++step) {
    const std::size_t base = sizes[rng() % std::size(sizes)];
    const std::size_t size = base > 1 ? base - rng() % 4096 : base;
    const std::size_t kept = std::min(size, ref.size());
    ASSERT_TRUE(block.Resize(size)) << "step " << step;
    ref.resize(size);
    ASSERT_EQ(block.Size(), size);
    ASSERT_EQ(0, kept ? std::memcmp(block.Data(), ref.data(), kept) : 0) << "step " << step << " size " << size;
    for (std::size_t i = kept; i < size; i += 1 + rng() % 64) ref[i] = std::uint8_t(rng());
    if (size > kept) std::memcpy(block.Data() + kept, ref.data() + kept, size - kept);
    if (!GetParam()) {
      EXPECT_FALSE(block.IsMapped());
    }
    if (GetParam() && size >= LargeBlock::kMapFrom) {
      EXPECT_TRUE(block.IsMapped());
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.Data()) % LargeBlock::kMapFrom, 0u) << "2 MB aligned";
    }
  }
}

// The byte store grows from its first 32 KB past the threshold while text
// goes in at random places; the text stays whole through every move.
TEST_P(LargeBlockModes, StoreGrowingPastTheThresholdKeepsItsText) {
  std::mt19937 rng(11);
  CPsbManeger store;
  ASSERT_TRUE(store.Open());
  std::vector<std::uint8_t> ref;
  while (ref.size() < 5 * kMB) {
    std::vector<std::uint8_t> piece(1 + rng() % (256 * 1024));
    for (auto& b : piece) b = std::uint8_t(rng());
    const auto n = std::uint32_t(piece.size());
    const auto length = std::uint32_t(ref.size());
    const std::uint32_t pos = std::uint32_t(rng() % (length + 1));
    ASSERT_LE(store.Reserve(length + n), 1);
    if (pos < length) store.MoveRight(pos + n, pos, length - pos);
    store.Write(pos, piece.data(), n);
    ref.insert(ref.begin() + pos, piece.begin(), piece.end());
  }
  std::vector<std::uint8_t> out(ref.size());
  store.Read(out.data(), 0, std::uint32_t(out.size()));
  EXPECT_TRUE(out == ref);
  EXPECT_EQ(store.Capacity() % CPsbManeger::kGrowthStep, 0u);
}

INSTANTIATE_TEST_SUITE_P(Memory, LargeBlockModes, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Mapped" : "HeapOnly"; });

}  // namespace
}  // namespace quarn
