// The byte store and the large blocks under it, against plain vectors.
#include <algorithm>
#include <random>

#include "DocSupport.h"
#include "core/document/CPsbManeger.h"
#include "platform/LargeBlock.h"

namespace quarn::doctests {
namespace {

// Drives the store the way a document does (it keeps the text length) and mirrors every change in a plain vector.
class StoreModel {
 public:
  StoreModel() { EXPECT_TRUE(store.Open()); }

  void Insert(std::uint32_t pos, const Bytes& bytes) {
    const auto n = std::uint32_t(bytes.size());
    ASSERT_LE(store.Reserve(std::uint32_t(ref.size()) + n), 1);
    if (pos < ref.size()) store.MoveRight(pos + n, pos, std::uint32_t(ref.size()) - pos);
    store.Write(pos, bytes.data(), n);
    ref.insert(ref.begin() + pos, bytes.begin(), bytes.end());
  }
  void Erase(std::uint32_t pos, std::uint32_t n) {
    const auto length = std::uint32_t(ref.size());
    if (pos + n < length) store.MoveLeft(pos, pos + n, length - pos - n);
    ref.erase(ref.begin() + pos, ref.begin() + pos + n);
  }
  void ExpectSame() {
    Bytes out(ref.size());
    store.Read(out.data(), 0, std::uint32_t(out.size()));
    ASSERT_TRUE(out == ref);
  }

  CPsbManeger store;
  Bytes ref;
};

Bytes RandomBytes(std::mt19937& rng, std::size_t n) {
  Bytes v(n);
  for (auto& b : v) b = std::uint8_t(rng());
  return v;
}

TEST(ByteStore, LongRandomEditSequencesMatchAPlainVector) {
  std::mt19937 rng(20240601);
  StoreModel m;
  m.Insert(0, RandomBytes(rng, 150000));
  std::uint32_t last = 0;
  for (int step = 0; step < 20000; ++step) {
    SCOPED_TRACE(step);
    const auto length = std::uint32_t(m.ref.size());
    // Half the operations stay near the previous one (inside the window), the rest jump anywhere (across the window).
    const std::uint32_t pos = last = (rng() % 2 && length)
        ? std::uint32_t(std::clamp<std::int64_t>(std::int64_t(last) + int(rng() % 4001) - 2000, 0, length))
        : std::uint32_t(rng() % (length + 1));
    const unsigned action = rng() % 8;
    if (action < 2) {
      m.Insert(pos, RandomBytes(rng, rng() % 8 == 0 ? 1 + rng() % 40000 : 1 + rng() % 64));
    } else if (pos >= length) {  // nothing past the end to change or read
    } else if (action < 4) {
      m.Erase(pos, 1 + std::uint32_t(rng() % std::min<std::uint32_t>(length - pos, rng() % 8 ? 64 : 40000)));
    } else if (action == 4) {
      m.ref[pos] = std::uint8_t(rng());
      m.store.SetAt(pos, m.ref[pos]);
    } else if (action == 5) {
      ASSERT_EQ(m.store.GetAt(pos), m.ref[pos]);
    } else if (action == 6) {
      const std::uint32_t n = 1 + std::uint32_t(rng() % std::min<std::uint32_t>(length - pos, 30000));
      const std::uint8_t* span = m.store.GetSpan(pos, n);
      ASSERT_NE(span, nullptr);
      ASSERT_EQ(std::memcmp(span, m.ref.data() + pos, n), 0);
    } else {
      ASSERT_EQ(std::memcmp(m.store.GetPointer(0), m.ref.data(), length), 0);
    }
    if (step % 1000 == 0) {
      ASSERT_NO_FATAL_FAILURE(m.ExpectSame());
    }
    ASSERT_GT(m.store.Capacity(), m.ref.size() + 2);
    ASSERT_EQ(m.store.Capacity() % CPsbManeger::kGrowthStep, 0u);
  }
  ASSERT_NO_FATAL_FAILURE(m.ExpectSame());
}

TEST(ByteStore, AccessBeyondTheBlockIsHarmless) {
  CPsbManeger store;
  ASSERT_TRUE(store.Open());
  const std::uint32_t cap = store.Capacity();
  store.SetAt(cap + 5, 9);
  EXPECT_EQ(store.GetAt(cap + 5), 0);
  const Bytes in = {1, 2, 3, 4, 5, 6, 7, 8};
  Bytes out(8, 0xAA);
  store.Write(cap - 4, in.data(), 8);  // the part inside the block is kept
  store.Read(out.data(), cap - 4, 8);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 5), (Bytes{1, 2, 3, 4, 0}));
  EXPECT_EQ(store.GetSpan(cap - 4, 8), nullptr);
  store.MoveRight(cap - 2, cap - 4, 10);  // clipped to the block
  EXPECT_EQ((Bytes{store.GetAt(cap - 2), store.GetAt(cap - 1)}), (Bytes{1, 2}));
  store.GetPointer(0);  // write-back of a window that grew past the block
  EXPECT_EQ(store.GetAt(cap - 1), 2);
}

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
  Bytes ref;
  const std::size_t sizes[] = {0, 1, 32768, LargeBlock::kMapFrom - 1, LargeBlock::kMapFrom, (3 << 20) + 5, 9 << 20};
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
    if (size >= LargeBlock::kMapFrom || !GetParam()) {
      EXPECT_EQ(block.IsMapped(), GetParam()) << size;
    }
    if (GetParam() && size >= LargeBlock::kMapFrom) {
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.Data()) % LargeBlock::kMapFrom, 0u) << "2 MB aligned";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Memory, LargeBlockModes, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Mapped" : "HeapOnly"; });

}  // namespace
}  // namespace quarn::doctests
