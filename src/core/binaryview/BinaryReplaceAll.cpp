#include "core/binaryview/BinaryReplaceAll.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"
#include "core/res/MessageIds.h"

namespace quarn {
namespace {

// The undo store keeps at most 512 records, so the records of the last 512
// replacements decide what it holds at the end.
constexpr std::size_t kRecordedReplacements = CVeskRD::kMaxRecords;
// Bytes scanned between two calls of askStop.
constexpr std::size_t kStopCheckBytes = std::size_t(1) << 20;

}  // namespace

void ReplacementBytes(const BytePattern& replacement, const std::uint8_t* match, std::size_t matchLength,
                      std::vector<std::uint8_t>& out) {
  out.clear();
  for (std::size_t i = 0; i < replacement.Size(); ++i) {
    if (!replacement.wildcard[i]) out.push_back(replacement.bytes[i]);
    else if (i < matchLength) out.push_back(match[i]);
  }
}

ReplaceAllResult ReplaceAllBytes(CVeskDoc& doc, const BytePattern& find, const BytePattern& replacement,
                                 const std::function<bool()>& askStop) {
  ReplaceAllResult result;
  const std::uint32_t length = doc.TextLength();
  const std::size_t m = find.Size();
  if (m == 0 || length < m) return result;

  CPsbManeger& store = doc.Store();
  const std::uint8_t* data = store.GetPointer(0);
  std::vector<std::uint32_t> matches;
  std::size_t nextCheck = kStopCheckBytes;
  for (std::size_t pos = 0;;) {
    const auto hit = FindFirst(data, pos, length, find);
    if (!hit) break;
    matches.push_back(std::uint32_t(*hit));
    pos = *hit + m;
    if (pos >= nextCheck) {
      nextCheck = pos + kStopCheckBytes;
      if (askStop && askStop()) break;
    }
  }
  if (matches.empty()) return result;

  // Every replacement has the same length: wildcards past the match's end
  // are left out, the others take a byte.
  std::vector<std::uint8_t> bytes;
  ReplacementBytes(replacement, data + matches[0], m, bytes);
  const std::size_t r = bytes.size();
  const std::int64_t delta = std::int64_t(r) - std::int64_t(m);
  const std::int64_t newLength = std::int64_t(length) + delta * std::int64_t(matches.size());
  if (newLength + 3 > std::int64_t(gProcess.maxBytes)) {
    AppMessageBox(msg::kTooManyChars);
    result.refused = true;
    return result;
  }

  // The matched bytes of the replacements whose records the undo store keeps.
  const std::size_t firstRecorded = matches.size() - std::min(matches.size(), kRecordedReplacements);
  std::vector<std::uint8_t> recorded;
  recorded.reserve((matches.size() - firstRecorded) * m);
  for (std::size_t i = firstRecorded; i < matches.size(); ++i)
    recorded.insert(recorded.end(), data + matches[i], data + matches[i] + m);

  store.BeginDirect();
  if (store.Reserve(std::uint32_t(std::max<std::int64_t>(newLength, length))) >= 2) {
    store.EndDirect();
    AppMessageBox(msg::kOutOfMemory);
    result.refused = true;
    return result;
  }
  std::uint8_t* block = store.Data();
  std::vector<std::uint8_t> matched(m);
  auto writeReplacement = [&](std::size_t i, std::size_t to) {
    std::memcpy(matched.data(), block + matches[i], m);  // the destination may overlap the match
    ReplacementBytes(replacement, matched.data(), m, bytes);
    if (r > 0) std::memcpy(block + to, bytes.data(), r);
  };
  const std::size_t count = matches.size();
  if (delta <= 0) {
    // Shrinking or equal: each piece moves down, so left to right.
    std::size_t to = matches[0];
    for (std::size_t i = 0; i < count; ++i) {
      writeReplacement(i, to);
      to += r;
      const std::size_t from = matches[i] + m;
      const std::size_t next = i + 1 < count ? matches[i + 1] : length;
      std::memmove(block + to, block + from, next - from);
      to += next - from;
    }
  } else {
    // Growing: each piece moves up, so right to left.
    for (std::size_t i = count; i-- > 0;) {
      const std::size_t shift = std::size_t(delta) * i;
      const std::size_t from = matches[i] + m;
      const std::size_t next = i + 1 < count ? matches[i + 1] : length;
      std::memmove(block + from + shift + std::size_t(delta), block + from, next - from);
      writeReplacement(i, matches[i] + shift);
    }
  }
  const std::uint32_t finalLength = std::uint32_t(newLength);
  doc.SetTextLength(finalLength, finalLength - 1);
  store.EndDirect();

  doc.Redo().Clear();
  CVeskRD& undo = doc.Undo();
  for (std::size_t i = firstRecorded; i < count; ++i) {
    const std::uint32_t at = std::uint32_t(std::int64_t(matches[i]) + delta * std::int64_t(i));
    undo.Append(CVeskRD::kDeleted, at, std::uint32_t(m), recorded.data() + (i - firstRecorded) * m);
    if (r > 0) undo.Append(CVeskRD::kInserted, at, std::uint32_t(r), nullptr);
  }
  doc.SetModifiedFlag(true);
  result.count = std::uint32_t(count);
  result.lastEnd = std::uint32_t(std::int64_t(matches.back()) + delta * std::int64_t(count - 1) + std::int64_t(r));
  return result;
}

}  // namespace quarn
