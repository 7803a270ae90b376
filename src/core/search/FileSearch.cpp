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

// Whether b is a CP932 lead byte (0x81-0x9F, 0xE0-0xFC), without a branch.
inline std::uint8_t LeadRange(std::uint8_t b) { return std::uint8_t(std::uint8_t((b ^ 0x20) - 0xA1) < 0x3C); }

// The block's CR LF pairs, and in suspects those whose CR follows a
// lead-range byte (b[-1] is read): only their CR can be a trail byte.
std::uint32_t PairsIn(const std::uint8_t* b, std::size_t n, std::uint32_t& suspects) {
  std::uint8_t pairs = 0, afterLead = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t pair = std::uint8_t((b[i] == kCr) & (b[i + 1] == kLf));
    pairs += pair;
    afterLead += pair & LeadRange(b[std::ptrdiff_t(i) - 1]);
  }
  suspects = afterLead;
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
  // A line break in a file name would break its result line in two.
  shownPath_ = path;
  for (char& c : shownPath_)
    if (c == '\r' || c == '\n') c = '?';
  text_ = text;
  options_ = options;
  anchored_ = options.regular && text[0] == '^';
  buffer_.resize(kChunkBytes + 1);
  if (!ReadChunk()) return std::nullopt;
  return SearchNext();
}

void FileSearch::CloseSearch() {
  file_.reset();
  held_ = chunk_ = position_ = countedTo_ = lineStart_ = walkStart_ = 0;
  linesBeforeChunk_ = lineBase_ = 0;
  last_ = splitLine_ = false;
  chunkStartsLine_ = true;
}

// Moves what followed the chunk to the front, fills the buffer and cuts the
// chunk after its last CR LF (or after a CR in its last byte); a full buffer
// without one is taken whole. Fewer bytes than a buffer: the last chunk.
bool FileSearch::ReadChunk() {
  if (!file_) return false;
  // How the chunk before ended, as the text reader walks it: in a line end,
  // in a CR whose LF may follow, or in a lead byte whose trail follows.
  const std::uint8_t* b = buffer_.data();
  const bool first = chunk_ == 0;
  const bool endsLine = chunk_ >= 2 && b[chunk_ - 2] == kCr && b[chunk_ - 1] == kLf && StartsCharacter(chunk_ - 2);
  const bool endsInCr = chunk_ >= 1 && b[chunk_ - 1] == kCr && StartsCharacter(chunk_ - 1);
  const bool endsInLead = chunk_ >= 1 && cp932::IsLeadByte(b[chunk_ - 1]) && StartsCharacter(chunk_ - 1);
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
  walkStart_ = endsInLead && chunk_ > 0 ? 1 : 0;
  chunkStartsLine_ = first || endsLine;
  splitLine_ = endsInCr && chunk_ > 0 && b[0] == kLf;
  // The LF of a CR LF cut by the chunk before ends that line here.
  lineBase_ = splitLine_ ? 1 : 0;
  countedTo_ = lineStart_ = splitLine_ ? 1 : walkStart_;
  position_ = anchored_ ? NextLineStart(0) : walkStart_;
  return true;
}

std::optional<std::string> FileSearch::SearchNext() {
  if (!file_) return std::nullopt;
  const auto* text = reinterpret_cast<const std::uint8_t*>(buffer_.data());
  const std::size_t n = text_.size();
  for (;;) {
    std::size_t at = kNoMatch, length = n;
    if (options_.UsesMatcher()) {
      const MatchOptions m{true, options_.matchCase, options_.regular, options_.distinguishWidth};
      // "^" holds where the area starts: the area always starts at a line
      // start, and a hit after a CR LF that is no line end is passed over.
      while (position_ < chunk_) {
        at = Match(text, chunk_, position_, chunk_, text_, m, &length);
        if (at == kNoMatch || !anchored_ || StartsLine(at)) break;
        position_ = NextLineStart(at + 1);
        at = kNoMatch;
      }
    } else if (options_.matchCase) {
      at = FindLiteral();
    } else if (chunk_ >= n && position_ <= chunk_ - n) {
      at = PlainFind(text, chunk_, position_, chunk_ - n + 1, text_, true, options_.matchCase);
    }
    if (at != kNoMatch) {
      std::string line = ResultLine(at, length);
      position_ = anchored_                  ? NextLineStart(at + 1)
                  : options_.UsesMatcher() ? cp932::NextChar(text, chunk_, at)
                                           : at + n;
      return line;
    }
    if (last_) return std::nullopt;
    // The rest of the chunk's lines; a CR in its last byte is counted with
    // the next chunk when its LF starts that.
    CountLines(chunk_);
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
    if ((i + 1 == chunk_ || buffer_[i + 1] == kLf) && StartsCharacter(i)) return i;
  }
  return chunk_;
}

// The byte after one that cannot lead starts a character, so the run of
// lead-range bytes before x decides (counted back to the chunk's first
// character start).
bool FileSearch::StartsCharacter(std::size_t x) const {
  if (x < walkStart_) return false;
  std::size_t run = 0;
  for (std::size_t i = x; i > walkStart_ && cp932::IsLeadByte(buffer_[i - 1]); --i) ++run;
  return run % 2 == 0;
}

bool FileSearch::StartsLine(std::size_t x) const {
  if (x == 0) return chunkStartsLine_;
  if (x == 1 && splitLine_) return true;
  return x >= 2 && buffer_[x - 2] == kCr && buffer_[x - 1] == kLf && StartsCharacter(x - 2);
}

std::size_t FileSearch::NextLineStart(std::size_t from) const {
  if (from == 0 && chunkStartsLine_) return 0;
  if (from <= 1 && splitLine_) return 1;
  for (std::size_t i = from >= 2 ? from - 2 : 0; i + 1 < chunk_; ++i) {
    const void* cr = std::memchr(buffer_.data() + i, kCr, chunk_ - 1 - i);
    if (!cr) break;
    i = std::size_t(static_cast<const std::uint8_t*>(cr) - buffer_.data());
    if (buffer_[i + 1] == kLf && StartsCharacter(i)) return i + 2;
  }
  return chunk_;
}

// The CR LF pairs of [from, from + n) whose CR is a lead byte's trail.
std::uint32_t FileSearch::TrailPairs(std::size_t from, std::size_t n) const {
  const std::uint8_t* b = buffer_.data();
  const std::size_t lo = std::max(from, walkStart_ + 1);  // a CR at the first character start leads
  std::uint32_t trails = 0;
  for (std::size_t i = lo; i < from + n; ++i)
    if (b[i] == kCr && b[i + 1] == kLf && cp932::IsLeadByte(b[i - 1]) && !StartsCharacter(i)) ++trails;
  return trails;
}

// Counts the line ends from the last count up to pos and notes where the
// line holding pos starts (after the last line end).
void FileSearch::CountLines(std::size_t pos) {
  const std::uint8_t* b = buffer_.data();
  const std::size_t limit = std::min(pos, chunk_ > 0 ? chunk_ - 1 : 0);
  if (limit <= countedTo_) return;
  std::uint32_t pairs = 0, suspects = 0;
  std::size_t i = countedTo_;
  if (i == 0) {  // the blocks read the byte before them
    pairs += b[0] == kCr && b[1] == kLf;
    i = 1;
  }
  for (; i + kCountBlock <= limit; i += kCountBlock) {
    pairs += PairsIn(b + i, kCountBlock, suspects);
    if (suspects) pairs -= TrailPairs(i, kCountBlock);
  }
  pairs += PairsIn(b + i, limit - i, suspects);
  if (suspects) pairs -= TrailPairs(i, limit - i);
  if (pairs) {
    for (std::size_t i = limit; i-- > countedTo_;)
      if (b[i] == kCr && b[i + 1] == kLf && StartsCharacter(i)) {
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
  std::string line = shownPath_ + "(" + std::to_string(linesBeforeChunk_ + lineBase_ + 1) + "): ";
  const std::size_t room = kResultBytes > line.size() + 2 ? kResultBytes - line.size() - 2 : 0;
  const std::size_t framed = kResultBytes > path_.size() + kResultFrame ? kResultBytes - path_.size() - kResultFrame : 0;
  const std::size_t take = std::min({end - start, room, framed});
  // The excerpt as the text reader shows it: a CR as trail byte is a blank,
  // and a lead byte cut from its trail is left out (it would take the
  // line's CR LF for its trail and join the next result line to this one).
  const std::size_t excerpt = line.size();
  line.append(reinterpret_cast<const char*>(buffer_.data() + start), take);
  for (std::size_t k = excerpt; k < line.size();) {
    if (!cp932::IsLeadByte(std::uint8_t(line[k]))) {
      ++k;
    } else if (k + 1 == line.size()) {
      line.pop_back();
    } else {
      if (line[k + 1] == '\r') line[k + 1] = ' ';
      k += 2;
    }
  }
  line += "\r\n";
  return line;
}

}  // namespace quarn
