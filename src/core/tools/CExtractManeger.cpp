#include "core/tools/CExtractManeger.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/res/StringTable.h"
#include "core/search/Matcher.h"
#include "core/tools/BlockBytes.h"

namespace quarn {

CExtractManeger gExtract;

namespace {

void WriteConditions(BlockWriter& out, const ExtractConditions& list) {
  out.U32(std::uint32_t(list.size()));
  for (const ExtractCondition& c : list) {
    out.Text(c.text);
    out.I32(c.position);
    out.I32(c.lines);
  }
}

ExtractConditions ReadConditions(BlockReader& in) {
  ExtractConditions list(in.Count(CExtractManeger::kMaxConditions));
  for (ExtractCondition& c : list) {
    c.text = in.Text(ExtractCondition::kMaxText);
    c.position = in.I32();
    c.lines = in.I32();
  }
  return list;
}

// The growing result of step 1: the kept lines K, and per source line the
// number of the block it begins (0: none).
struct Step1 {
  std::vector<std::uint32_t> kept;
  std::vector<std::uint32_t> blockOf;
  std::uint32_t matches = 0;
};

}  // namespace

std::vector<std::uint32_t> LineStarts(const std::uint8_t* text, std::size_t length) {
  std::vector<std::uint32_t> starts{0};
  const std::uint8_t* p = text;
  const std::uint8_t* end = text + length;
  while (p < end) {
    const void* cr = std::memchr(p, '\r', std::size_t(end - p));
    if (!cr) break;
    p = static_cast<const std::uint8_t*>(cr) + 1;
    if (p < end && *p == '\n') ++p;
    starts.push_back(std::uint32_t(p - text));
  }
  if (starts.back() != length) starts.push_back(std::uint32_t(length));
  return starts;
}

CExtractManeger::CExtractManeger() {
  step1 = {{texts::kExtractStep1Default, 0, 2}};
  starts = {{texts::kExtractStartDefault, -1, 1}};
  ends = {{texts::kExtractEndDefault, -1, 1}};
}

std::vector<std::uint8_t> CExtractManeger::SaveParameters() const {
  BlockWriter out;
  for (std::uint32_t v : {execution, std::uint32_t(noDisplay), std::uint32_t(showInformation), std::uint32_t(addSeparator)})
    out.U32(v);
  out.Text(separator);
  for (bool v : {matchCase, regular, distinguishWidth, step1Extracts, step2Deletes}) out.U32(v ? 1 : 0);
  WriteConditions(out, step1);
  WriteConditions(out, starts);
  WriteConditions(out, ends);
  return out.Take();
}

bool CExtractManeger::LoadParameters(const std::uint8_t* data, std::size_t size) {
  if (size < kMinParameterBlock) return false;
  BlockReader in(data, size);
  CExtractManeger read(*this);
  read.execution = in.U32();
  read.noDisplay = in.U32() != 0;
  read.showInformation = in.U32() != 0;
  read.addSeparator = in.U32() != 0;
  read.separator = in.Text(kMaxSeparator);
  read.matchCase = in.U32() != 0;
  read.regular = in.U32() != 0;
  read.distinguishWidth = in.U32() != 0;
  read.step1Extracts = in.U32() != 0;
  read.step2Deletes = in.U32() != 0;
  read.step1 = ReadConditions(in);
  read.starts = ReadConditions(in);
  read.ends = ReadConditions(in);
  if (!in.ok() || read.execution < kStep1Only || read.execution > kBothSteps) return false;
  *this = std::move(read);
  return true;
}

int CExtractManeger::ConditionMatches(const ExtractConditions& list, const std::uint8_t* line, std::size_t length) const {
  const bool matcher = regular || !distinguishWidth;
  MatchOptions options;
  options.matchCase = matchCase;
  options.regular = regular;
  options.distinguishWidth = distinguishWidth;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& s = list[i].text;
    if (s.empty() || length == 0) continue;
    std::size_t at = kNoMatch;
    if (matcher)
      at = Match(line, length, 0, length, s, options, nullptr);
    else if (s.size() <= length)
      at = PlainFind(line, length, 0, length - s.size() + 1, s, true, matchCase);
    if (at != kNoMatch) return int(i);
  }
  return -1;
}

// Finds the first condition of a list in lines visited in ascending order.
// A plain search runs over the whole text and keeps each condition's next
// hit, so that a line is tested by comparing positions: a hit counts for the
// line that holds all of it, as a search bounded by the line would find it.
class CExtractManeger::Scanner {
 public:
  Scanner(const CExtractManeger& m, const ExtractConditions& list, const std::uint8_t* text,
          const std::vector<std::uint32_t>& lineStarts)
      : m_(m), list_(list), text_(text), starts_(lineStarts), length_(lineStarts.back()),
        next_(list.size(), kUnknown), plain_(!m.regular && m.distinguishWidth) {}

  const ExtractCondition* Find(std::uint32_t line) {
    const std::uint32_t s = starts_[line], e = starts_[line + 1];
    if (!plain_) {
      const int i = m_.ConditionMatches(list_, text_ + s, e - s);
      return i < 0 ? nullptr : &list_[std::size_t(i)];
    }
    for (std::size_t i = 0; i < list_.size(); ++i) {
      const std::size_t n = list_[i].text.size();
      if (n == 0 || n > e - s) continue;
      if (next_[i] == kUnknown || next_[i] < s) {
        const std::size_t at = n <= length_ ? PlainFind(text_, length_, s, length_ - n + 1, list_[i].text, true, m_.matchCase)
                                            : kNoMatch;
        next_[i] = at == kNoMatch ? kNever : at;
      }
      if (next_[i] + n <= e) return &list_[i];
      // A hit that runs past the line's end is looked for again from the next line.
      if (next_[i] < e) next_[i] = kUnknown;
    }
    return nullptr;
  }

 private:
  static constexpr std::size_t kNever = std::size_t(-1) / 2;  // no hit after the last line tested
  static constexpr std::size_t kUnknown = std::size_t(-1);    // to be searched from the line
  const CExtractManeger& m_;
  const ExtractConditions& list_;
  const std::uint8_t* text_;
  const std::vector<std::uint32_t>& starts_;
  std::size_t length_;
  std::vector<std::size_t> next_;  // each condition's next hit at or after the last line tested
  bool plain_;
};

ExtractFailure CExtractManeger::Plan(std::uint32_t run, const std::uint8_t* text, std::size_t length,
                                     ExtractPlan& plan) const {
  if ((run == kStep1Only && step1.empty()) || (run == kStep2Only && starts.empty()) ||
      (run == kBothSteps && starts.empty() && step1.empty()) || run < kStep1Only || run > kBothSteps)
    return ExtractFailure::kNoConditions;
  if (length == 0) return ExtractFailure::kEmptySource;
  plan = ExtractPlan();
  plan.lineStarts = LineStarts(text, length);
  const std::vector<std::uint32_t>& lineStarts = plan.lineStarts;
  const std::uint32_t n = std::uint32_t(lineStarts.size() - 1);
  plan.counts.total = n;

  // Step 1 (with no conditions for step 2 alone, so that it keeps every line).
  Step1 s1;
  s1.kept.reserve(n);
  s1.blockOf.assign(n, 0);
  const ExtractConditions none;
  const ExtractConditions& list1 = run == kStep2Only ? none : step1;
  Scanner scan1(*this, list1, text, lineStarts);
  for (std::uint32_t i = 0; i < n;) {
    const ExtractCondition* c = list1.empty() ? nullptr : scan1.Find(i);
    if (!c || c->lines <= 0) {
      s1.kept.push_back(i++);
      continue;
    }
    const std::uint32_t number = ++s1.matches;
    const std::int64_t count = c->lines;
    if (c->position >= 0) {
      const std::int64_t first = std::int64_t(i) + c->position;
      for (std::int64_t k = i; k < first && k < n; ++k) s1.kept.push_back(std::uint32_t(k));
      if (first < n) s1.blockOf[std::size_t(first)] = number;
      i = std::uint32_t(std::min<std::int64_t>(n, first + count));
      continue;
    }
    const std::size_t d = std::size_t(std::min<std::int64_t>(-std::int64_t(c->position), std::int64_t(s1.kept.size())));
    const std::vector<std::uint32_t> back(s1.kept.end() - std::ptrdiff_t(d), s1.kept.end());
    s1.kept.resize(s1.kept.size() - d);
    s1.blockOf[d ? back[0] : i] = number;
    if (count <= std::int64_t(d)) {
      s1.kept.insert(s1.kept.end(), back.begin() + std::ptrdiff_t(count), back.end());
      s1.kept.push_back(i++);
    } else {
      i = std::uint32_t(std::min<std::int64_t>(n, i + (count - std::int64_t(d))));
    }
  }
  std::vector<std::uint32_t> result;
  if (step1Extracts && run != kStep2Only) {
    std::vector<bool> kept(n, false);
    for (std::uint32_t k : s1.kept) kept[k] = true;
    for (std::uint32_t k = 0; k < n; ++k)
      if (!kept[k]) result.push_back(k);
  } else {
    result = std::move(s1.kept);
  }
  plan.counts.afterStep1 = std::uint32_t(result.size());
  plan.counts.step1Matches = s1.matches;

  std::vector<std::uint32_t> blockOf = std::move(s1.blockOf);
  std::uint32_t blocks = s1.matches;
  if (run != kStep1Only) {
    std::fill(blockOf.begin(), blockOf.end(), 0);
    blocks = 0;
    if (!starts.empty()) {
      const std::vector<std::uint32_t>& in = result;
      const std::size_t m = in.size();
      std::vector<std::uint32_t> out;
      std::size_t nextUnused = 0;  // the first step 1 line not yet output
      bool inside = false;
      Scanner scanStarts(*this, starts, text, lineStarts), scanEnds(*this, ends, text, lineStarts);
      for (std::size_t j = 0; j < m; ++j) {
        const ExtractCondition* c = nullptr;
        if (!inside) {
          if (!(c = scanStarts.Find(in[j]))) continue;
          std::size_t first = j;
          if (c->position < 0) {
            const std::size_t back = std::size_t(std::min<std::int64_t>(-std::int64_t(c->position), std::int64_t(j - nextUnused)));
            first = j - back;
          } else if (c->position > 0) {
            if (std::int64_t(j) + c->position >= std::int64_t(m)) break;
            first = j = j + std::size_t(c->position);
          }
          blockOf[in[first]] = ++blocks;
          for (std::size_t k = first; k <= j; ++k) out.push_back(in[k]);
          nextUnused = j + 1;
          inside = true;
          continue;
        }
        out.push_back(in[j]);
        nextUnused = j + 1;
        if (ends.empty() || !(c = scanEnds.Find(in[j]))) continue;
        inside = false;
        if (c->position < 0) {
          out.resize(out.size() - std::size_t(std::min<std::int64_t>(-std::int64_t(c->position), std::int64_t(out.size()))));
        } else {
          for (std::int64_t k = 0; k < c->position && j + 1 < m; ++k) out.push_back(in[++j]);
          nextUnused = j + 1;
        }
      }
      if (step2Deletes) {
        std::vector<bool> output(n, false);
        for (std::uint32_t k : out) output[k] = true;
        std::vector<std::uint32_t> rest;
        for (std::uint32_t k : in)
          if (!output[k]) rest.push_back(k);
        out = std::move(rest);
      }
      result = std::move(out);
    }
  }
  plan.counts.afterStep2 = std::uint32_t(result.size());
  plan.counts.step2Blocks = run == kStep1Only ? 0 : blocks;
  if (result.empty()) return ExtractFailure::kEmptyResult;
  plan.blocks = blocks;
  // Deleted blocks leave nothing to put a separator before.
  const bool separate = addSeparator && !(run != kStep1Only && step2Deletes && !starts.empty());
  plan.blockNumber.resize(result.size());
  for (std::size_t k = 0; k < result.size(); ++k) plan.blockNumber[k] = separate ? blockOf[result[k]] : 0;
  plan.lines = std::move(result);
  return ExtractFailure::kNone;
}

bool CExtractManeger::Write(const ExtractPlan& plan, const std::uint8_t* text, const std::vector<std::uint32_t>& lineStarts,
                            const std::function<void(const std::uint8_t*, std::size_t)>& sink,
                            const std::function<bool(unsigned long)>& keepGoing) const {
  for (std::size_t k = 0; k < plan.lines.size(); ++k) {
    if (keepGoing && !keepGoing(k)) return false;
    if (const std::uint32_t number = plan.blockNumber[k]) {
      char counter[32];
      const int n = std::snprintf(counter, sizeof counter, "   %u/%u\r\n", number, plan.blocks);
      const std::string line = separator + std::string(counter, std::size_t(n));
      sink(reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
    }
    const std::uint32_t at = lineStarts[plan.lines[k]];
    sink(text + at, lineStarts[plan.lines[k] + 1] - at);
  }
  return true;
}

}  // namespace quarn
