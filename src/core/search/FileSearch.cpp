#include "core/search/FileSearch.h"

#include <algorithm>
#include <cstring>

#include "core/encoding/Cp932.h"
#include "core/search/Matcher.h"

namespace quarn {
namespace {

constexpr std::uint8_t kCr = '\r';
constexpr std::uint8_t kLf = '\n';

// The loops below are written so that the compiler turns them into vector
// code: a block's CR LF pairs are summed in byte counters (at most 240 pairs
// fit a block of 480 places), and a block of candidate places is tested for
// three of the literal's bytes at once before any place is compared.
constexpr std::size_t kCountBlock = 480;
constexpr std::size_t kFindBlock = 256;
constexpr std::size_t kFindPiece = 16;

std::uint32_t PairsIn(const std::uint8_t* b, std::size_t n) {
  std::uint8_t pairs = 0;
  for (std::size_t i = 0; i < n; ++i) pairs += std::uint8_t((b[i] == kCr) & (b[i + 1] == kLf));
  return pairs;
}

// Whether a place of the block has the literal's first, middle and last byte.
bool AnyCandidate(const std::uint8_t* p, std::size_t count, const std::uint8_t* t, std::size_t n) {
  const std::uint8_t* m = p + n / 2;
  const std::uint8_t* q = p + n - 1;
  const std::uint8_t first = t[0], middle = t[n / 2], last = t[n - 1];
  std::uint8_t any = 0;
  for (std::size_t j = 0; j < count; ++j) any |= std::uint8_t((p[j] == first) & (m[j] == middle) & (q[j] == last));
  return any != 0;
}

// "(", the digits, ")", ":", " " and CR LF around the path and the excerpt.
constexpr std::size_t kResultFrame = 13;

}  // namespace

FileSearch::FileSearch() = default;

std::optional<std::string> FileSearch::SearchFile(FileSystem& files, const std::string& path, const std::string& text,
                                                  const FileSearchOptions& options) {
  return SearchFile(files.openRead(path), path, text, options);
}

std::optional<std::string> FileSearch::SearchFile(std::unique_ptr<File> file, const std::string& path,
                                                  const std::string& text, const FileSearchOptions& options) {
  CloseSearch();
  file_ = std::move(file);
  if (!file_ || text.empty()) return CloseSearch(), std::nullopt;
  path_ = path;
  text_ = text;
  options_ = options;
  buffer_.resize(kChunkBytes + 1);
  if (!ReadChunk()) return std::nullopt;
  return SearchNext();
}

void FileSearch::CloseSearch() {
  file_.reset();
  held_ = chunk_ = position_ = countedTo_ = lineStart_ = 0;
  linesBeforeChunk_ = lineBase_ = 0;
  last_ = false;
}

// Moves what followed the chunk to the front, fills the buffer and cuts the
// chunk after its last CR LF (or after a CR in its last byte); a full buffer
// without one is taken whole. Fewer bytes than a buffer: the last chunk.
bool FileSearch::ReadChunk() {
  if (!file_) return false;
  std::memmove(buffer_.data(), buffer_.data() + chunk_, held_ - chunk_);
  held_ -= chunk_;
  // A read may give fewer bytes than asked for before the end of the file
  // (a network file system, a signal): only a read of none ends it.
  bool ended = false;
  while (held_ < kChunkBytes) {
    const std::int64_t n = file_->read(buffer_.data() + held_, kChunkBytes - held_);
    if (n <= 0) {
      ended = true;
      break;
    }
    held_ += std::size_t(n);
  }
  last_ = ended;
  chunk_ = held_;
  if (!last_) {
    for (std::size_t i = kChunkBytes; i-- > 0;) {
      if (buffer_[i] != kCr) continue;
      if (i + 1 == kChunkBytes) {
        chunk_ = kChunkBytes;
        break;
      }
      if (buffer_[i + 1] == kLf) {
        chunk_ = i + 2;
        break;
      }
    }
  }
  position_ = countedTo_ = lineStart_ = 0;
  lineBase_ = 0;
  return true;
}

std::optional<std::string> FileSearch::SearchNext() {
  if (!file_) return std::nullopt;
  const auto* text = reinterpret_cast<const std::uint8_t*>(buffer_.data());
  const std::size_t n = text_.size();
  for (;;) {
    std::size_t at = kNoMatch, length = n;
    if (options_.UsesMatcher()) {
      if (position_ < chunk_) {
        const MatchOptions m{true, options_.matchCase, options_.regular, options_.distinguishWidth};
        at = Match(text, chunk_, position_, chunk_, text_, m, &length);
      }
    } else if (options_.matchCase) {
      at = FindLiteral();
    } else if (chunk_ >= n && position_ <= chunk_ - n) {
      at = PlainFind(text, chunk_, position_, chunk_ - n + 1, text_, true, options_.matchCase);
    }
    if (at != kNoMatch) {
      std::string line = ResultLine(at, length);
      position_ = options_.UsesMatcher() ? cp932::NextChar(text, chunk_, at) : at + n;
      return line;
    }
    if (last_) return std::nullopt;
    // The rest of the chunk's lines, with a CR in its last byte as one.
    CountLines(chunk_);
    if (chunk_ > 0 && text[chunk_ - 1] == kCr) ++lineBase_;
    linesBeforeChunk_ += lineBase_;
    ReadChunk();
  }
}

// The end of the line from `from`: its CR LF, a CR in the chunk's last byte,
// or the chunk's end.
std::size_t FileSearch::LineEnd(std::size_t from) const {
  for (std::size_t i = from; i < chunk_; ++i) {
    const void* cr = std::memchr(buffer_.data() + i, kCr, chunk_ - i);
    if (!cr) break;
    i = std::size_t(static_cast<const std::uint8_t*>(cr) - buffer_.data());
    if (i + 1 == chunk_ || buffer_[i + 1] == kLf) return i;
  }
  return chunk_;
}

// Counts the CR LF pairs from the last count up to pos and notes where the
// line holding pos starts (after the last pair).
void FileSearch::CountLines(std::size_t pos) {
  const std::uint8_t* b = buffer_.data();
  const std::size_t limit = std::min(pos, chunk_ > 0 ? chunk_ - 1 : 0);
  if (limit <= countedTo_) return;
  std::uint32_t pairs = 0;
  std::size_t i = countedTo_;
  for (; i + kCountBlock <= limit; i += kCountBlock) pairs += PairsIn(b + i, kCountBlock);
  pairs += PairsIn(b + i, limit - i);
  if (pairs) {
    for (std::size_t i = limit; i-- > countedTo_;)
      if (b[i] == kCr && b[i + 1] == kLf) {
        lineStart_ = i + 2;
        break;
      }
  }
  lineBase_ += pairs;
  countedTo_ = limit;
}

// The first place from position_ where the literal begins at a character
// start, or kNoMatch: the case-sensitive plain search, passing over blocks
// where no place holds the literal's first, middle and last byte.
std::size_t FileSearch::FindLiteral() const {
  const std::uint8_t* b = buffer_.data();
  const auto* t = reinterpret_cast<const std::uint8_t*>(text_.data());
  const std::size_t n = text_.size();
  if (chunk_ < n) return kNoMatch;
  const std::size_t end = chunk_ - n + 1;  // places a match can start at
  for (std::size_t from = position_; from < end;) {
    const std::size_t count = std::min(kFindBlock, end - from);
    const std::uint8_t* p = b + from;
    const bool any = count == kFindBlock ? AnyCandidate(p, kFindBlock, t, n) : AnyCandidate(p, count, t, n);
    // A block with a candidate is looked at in pieces of 16 places.
    for (std::size_t k = 0; any && k < count; k += kFindPiece) {
      const std::size_t piece = std::min(kFindPiece, count - k);
      if (!(piece == kFindPiece ? AnyCandidate(p + k, kFindPiece, t, n) : AnyCandidate(p + k, piece, t, n))) continue;
      for (std::size_t j = k; j < k + piece; ++j)
        if (p[j] == t[0] && p[j + n - 1] == t[n - 1] && std::memcmp(p + j, t, n) == 0 &&
            CharStartAtOrBefore(b, position_, from + j) == from + j)
          return from + j;
    }
    from += count;
  }
  return kNoMatch;
}

std::string FileSearch::ResultLine(std::size_t pos, std::size_t n) {
  CountLines(pos);
  std::size_t start = std::min(lineStart_, pos);
  if (pos + n - start > kExcerptFromMatch) start = pos;
  std::size_t end = LineEnd(start);
  // A NUL would end the appended text early and take the line's CR LF with it.
  if (const void* nul = std::memchr(buffer_.data() + start, 0, end - start))
    end = std::size_t(static_cast<const std::uint8_t*>(nul) - buffer_.data());
  std::string line = path_ + "(" + std::to_string(linesBeforeChunk_ + lineBase_ + 1) + "): ";
  const std::size_t room = kResultBytes > line.size() + 2 ? kResultBytes - line.size() - 2 : 0;
  const std::size_t framed = kResultBytes > path_.size() + kResultFrame ? kResultBytes - path_.size() - kResultFrame : 0;
  line.append(reinterpret_cast<const char*>(buffer_.data() + start), std::min({end - start, room, framed}));
  line += "\r\n";
  return line;
}

}  // namespace quarn
