#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "core/common/ProcessValues.h"
#include "core/document/CPsbManeger.h"

namespace quarn {
namespace {

// Drives the store the way a document does (it keeps the text length) and
// mirrors every change in a plain vector.
class StoreModel {
 public:
  StoreModel() { EXPECT_TRUE(store.Open()); }

  void Insert(std::uint32_t pos, const std::vector<std::uint8_t>& bytes) {
    const std::uint32_t n = std::uint32_t(bytes.size());
    ASSERT_LE(store.Reserve(std::uint32_t(ref.size()) + n), 1);
    if (pos < ref.size()) store.MoveRight(pos + n, pos, std::uint32_t(ref.size()) - pos);
    store.Write(pos, bytes.data(), n);
    ref.insert(ref.begin() + pos, bytes.begin(), bytes.end());
  }

  void Erase(std::uint32_t pos, std::uint32_t n) {
    const std::uint32_t length = std::uint32_t(ref.size());
    if (pos + n < length) store.MoveLeft(pos, pos + n, length - pos - n);
    ref.erase(ref.begin() + pos, ref.begin() + pos + n);
  }

  void ExpectSame() {
    std::vector<std::uint8_t> out(ref.size());
    store.Read(out.data(), 0, std::uint32_t(out.size()));
    ASSERT_EQ(out, ref);
  }

  CPsbManeger store;
  std::vector<std::uint8_t> ref;
};

std::vector<std::uint8_t> RandomBytes(std::mt19937& rng, std::size_t n) {
  std::vector<std::uint8_t> v(n);
  for (auto& b : v) b = std::uint8_t(rng());
  return v;
}

TEST(ByteStore, LongRandomEditSequencesMatchAPlainVector) {
  std::mt19937 rng(20240601);
  StoreModel m;
  m.Insert(0, RandomBytes(rng, 150000));
  std::uint32_t last = 0;
  for (int step = 0; step < 20000; ++step) {
    const std::uint32_t length = std::uint32_t(m.ref.size());
    // Half the operations stay near the previous one (inside the window),
    // the rest jump anywhere (across the window).
    std::uint32_t pos = (rng() % 2 && length)
                            ? std::uint32_t(std::min<std::int64_t>(
                                  length, std::max<std::int64_t>(0, std::int64_t(last) + int(rng() % 4001) - 2000)))
                            : std::uint32_t(rng() % (length + 1));
    last = pos;
    switch (rng() % 8) {
      case 0:
      case 1: {
        const std::size_t n = rng() % 8 == 0 ? 1 + rng() % 40000 : 1 + rng() % 64;
        m.Insert(pos, RandomBytes(rng, n));
        break;
      }
      case 2:
      case 3:
        if (pos < length) m.Erase(pos, 1 + std::uint32_t(rng() % std::min<std::uint32_t>(length - pos, rng() % 8 ? 64 : 40000)));
        break;
      case 4:
        if (pos < length) {
          const std::uint8_t b = std::uint8_t(rng());
          m.store.SetAt(pos, b);
          m.ref[pos] = b;
        }
        break;
      case 5:
        if (pos < length) {
          ASSERT_EQ(m.store.GetAt(pos), m.ref[pos]) << "step " << step;
        }
        break;
      case 6:
        if (pos < length) {
          const std::uint32_t n = 1 + std::uint32_t(rng() % std::min<std::uint32_t>(length - pos, 30000));
          const std::uint8_t* span = m.store.GetSpan(pos, n);
          ASSERT_NE(span, nullptr);
          ASSERT_EQ(std::memcmp(span, m.ref.data() + pos, n), 0) << "step " << step;
        }
        break;
      case 7:
        if (pos < length) {
          const std::uint8_t* p = m.store.GetPointer(0);
          ASSERT_EQ(std::memcmp(p, m.ref.data(), length), 0) << "step " << step;
        }
        break;
    }
    if (step % 1000 == 0) {
      ASSERT_NO_FATAL_FAILURE(m.ExpectSame()) << "step " << step;
    }
    ASSERT_GT(m.store.Capacity(), m.ref.size() + 2);
    ASSERT_EQ(m.store.Capacity() % CPsbManeger::kGrowthStep, 0u);
  }
  ASSERT_NO_FATAL_FAILURE(m.ExpectSame());
}

TEST(ByteStore, TypingAtTheEndOfAFullWindowKeepsTheTail) {
  // Inserting repeatedly at one place grows the window until it must fall
  // back to a move on the block; the bytes after the window must survive.
  StoreModel m;
  std::mt19937 rng(7);
  m.Insert(0, RandomBytes(rng, 100000));
  for (int i = 0; i < 30000; ++i) m.Insert(50000 + std::uint32_t(i), {std::uint8_t('a' + i % 26)});
  for (int i = 0; i < 20000; ++i) m.Erase(60000, 1);
  ASSERT_NO_FATAL_FAILURE(m.ExpectSame());
}

TEST(ByteStore, DirectModeSeesAndReplacesTheWholeBlock) {
  StoreModel m;
  std::mt19937 rng(3);
  m.Insert(0, RandomBytes(rng, 70000));
  m.Insert(100, {1, 2, 3});  // dirty window, not yet in the block
  m.store.BeginDirect();
  ASSERT_EQ(std::memcmp(m.store.Data(), m.ref.data(), m.ref.size()), 0);
  // Loading writes the block directly; the window must not write stale bytes over it.
  std::memset(m.store.Data(), 'x', m.ref.size());
  m.store.EndDirect();
  std::fill(m.ref.begin(), m.ref.end(), std::uint8_t('x'));
  ASSERT_NO_FATAL_FAILURE(m.ExpectSame());
}

TEST(ByteStore, ReserveGrowsInStepsAndRefusesTheLimit) {
  const ProcessValues saved = gProcess;
  gProcess.maxBytes = 100000;
  CPsbManeger store;
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.Capacity(), 32768u);
  EXPECT_EQ(store.Reserve(1000), 0);
  EXPECT_EQ(store.Reserve(32766), 1);  // 32768 needed: not below the capacity
  EXPECT_EQ(store.Capacity(), 65536u);
  EXPECT_EQ(store.Reserve(70000), 1);
  EXPECT_EQ(store.Capacity(), 98304u);
  EXPECT_EQ(store.Reserve(100000 - 3), 1);
  EXPECT_EQ(store.Reserve(100000 - 2), 3);  // exactly the limit with the two spare bytes
  EXPECT_EQ(store.Reserve(0xFFFFFFFFu), 3);  // no wrap-around of the spare bytes
  gProcess = saved;
}

TEST(ByteStore, AccessBeyondTheBlockIsHarmless) {
  CPsbManeger store;
  ASSERT_TRUE(store.Open());
  const std::uint32_t cap = store.Capacity();
  store.SetAt(cap + 5, 9);
  EXPECT_EQ(store.GetAt(cap + 5), 0);
  std::uint8_t out[8];
  std::memset(out, 0xAA, sizeof out);
  const std::uint8_t in[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  store.Write(cap - 4, in, 8);  // the part inside the block is kept
  store.Read(out, cap - 4, 8);
  EXPECT_EQ(std::memcmp(out, in, 4), 0);
  EXPECT_EQ(out[4], 0);
  EXPECT_EQ(store.GetSpan(cap - 4, 8), nullptr);
  store.MoveRight(cap - 2, cap - 4, 10);  // clipped to the block
  EXPECT_EQ(store.GetAt(cap - 2), 1);
  EXPECT_EQ(store.GetAt(cap - 1), 2);
  store.GetPointer(0);  // write-back of a window that grew past the block
  EXPECT_EQ(store.GetAt(cap - 1), 2);
}

}  // namespace
}  // namespace quarn
