#include "core/document/FileRead.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>

#include "platform/FileSystem.h"

namespace quarn {
namespace {

// Pieces of 1 MB: small enough that a piece copied from the page cache does
// not push the next one out of the processor's caches.
constexpr std::size_t kPiece = std::size_t(1) << 20;
// Below this a second thread costs more than it saves.
constexpr std::uint32_t kParallelFrom = std::uint32_t(16) << 20;

std::int64_t ReadSequential(File& file, std::uint8_t* into, std::uint32_t n) {
  std::uint32_t done = 0;
  while (done < n) {
    const std::int64_t got = file.read(into + done, std::min<std::size_t>(kPiece * 8, n - done));
    if (got < 0) return -1;
    if (got == 0) break;
    done += std::uint32_t(got);
  }
  return done;
}

// Reads [from, to) of the file to the same offsets of `into`: the count read
// from `from` on, or -1 after an error.
std::int64_t ReadRange(File& file, std::uint8_t* into, std::uint32_t from, std::uint32_t to) {
  std::uint32_t done = from;
  while (done < to) {
    const std::int64_t got = file.readAt(done, into + done, std::min<std::size_t>(kPiece, to - done));
    if (got < 0) return -1;
    if (got == 0) break;
    done += std::uint32_t(got);
  }
  return done - from;
}

}  // namespace

std::int64_t ReadWholeFile(File& file, std::uint8_t* into, std::uint32_t n) {
  if (n < kParallelFrom || !file.canReadAt()) return ReadSequential(file, into, n);
  const std::uint32_t half = n / 2;
  std::int64_t second = -1;
  std::thread helper;
  try {
    helper = std::thread([&] { second = ReadRange(file, into, half, n); });
  } catch (const std::exception&) {
    return ReadRange(file, into, 0, n);  // no thread to be had: one reader does all
  }
  const std::int64_t first = ReadRange(file, into, 0, half);
  helper.join();
  if (first < 0 || second < 0) return -1;
  // A file that ended early (it shrank while being read) gives the bytes up
  // to the first gap.
  if (first < std::int64_t(half)) return first;
  return std::int64_t(half) + second;
}

}  // namespace quarn
