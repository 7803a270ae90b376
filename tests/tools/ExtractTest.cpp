#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "core/tools/CExtractManeger.h"

namespace quarn {
namespace {

using Lines = std::vector<std::string>;

std::string Join(const Lines& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\r\n";
  return s;
}

// The reference, a few lines per rule. Lines are plain ASCII, matched as case-sensitive substrings.
struct Reference {
  const CExtractManeger& m;
  const Lines& text;
  const ExtractCondition* Find(const ExtractConditions& list, std::size_t line) const {
    for (const ExtractCondition& c : list)
      if (text[line].find(c.text) != std::string::npos) return &c;
    return nullptr;
  }
  std::vector<std::uint32_t> Step1(std::uint32_t& matches) const {
    std::vector<std::uint32_t> k;
    long n = long(text.size());
    for (long i = 0; i < n;) {
      const ExtractCondition* c = Find(m.step1, std::size_t(i));
      if (!c || c->lines == 0) { k.push_back(std::uint32_t(i++)); continue; }
      ++matches;
      long p = c->position, cnt = c->lines;
      if (p >= 0) {
        for (long x = i; x < i + p && x < n; ++x) k.push_back(std::uint32_t(x));
        i = std::min(n, i + p + cnt);
      } else {
        long d = std::min<long>(-p, long(k.size()));
        std::vector<std::uint32_t> back(k.end() - d, k.end());
        k.resize(k.size() - std::size_t(d));
        if (cnt <= d) {
          for (long x = cnt; x < d; ++x) k.push_back(back[std::size_t(x)]);
          k.push_back(std::uint32_t(i++));
        } else {
          i = std::min(n, i + cnt - d);
        }
      }
    }
    if (!m.step1Extracts) return k;
    std::vector<std::uint32_t> rest;
    for (std::uint32_t x = 0; x < text.size(); ++x)
      if (std::find(k.begin(), k.end(), x) == k.end()) rest.push_back(x);
    return rest;
  }
  std::vector<std::uint32_t> Step2(const std::vector<std::uint32_t>& s, std::uint32_t& blocks) const {
    if (m.starts.empty()) return s;
    std::vector<std::uint32_t> out;
    long last = -1;  // index in s of the last line output
    bool inside = false;
    for (long j = 0; j < long(s.size()); ++j) {
      if (!inside) {
        const ExtractCondition* c = Find(m.starts, s[std::size_t(j)]);
        if (!c) continue;
        long p = c->position;
        if (p > 0 && j + p >= long(s.size())) break;
        long from = p < 0 ? std::max(j + p, last + 1) : j + std::max(0L, p);
        if (p > 0) j += p;
        for (long x = from; x <= j; ++x) out.push_back(s[std::size_t(x)]);
        last = j, inside = true, ++blocks;
        continue;
      }
      out.push_back(s[std::size_t(j)]), last = j;
      const ExtractCondition* c = Find(m.ends, s[std::size_t(j)]);
      if (!c) continue;
      inside = false;
      for (long x = 0; x < -c->position && !out.empty(); ++x) out.pop_back();
      for (long x = 0; x < c->position && j + 1 < long(s.size()); ++x) out.push_back(s[std::size_t(++j)]), last = j;
    }
    if (!m.step2Deletes) return out;
    std::vector<std::uint32_t> rest;
    for (std::uint32_t x : s)
      if (std::find(out.begin(), out.end(), x) == out.end()) rest.push_back(x);
    return rest;
  }
  std::vector<std::uint32_t> Run(std::uint32_t execution, ExtractCounts& counts) const {
    counts.total = std::uint32_t(text.size());
    std::vector<std::uint32_t> s(text.size());
    std::iota(s.begin(), s.end(), 0u);
    if (execution != 2) s = Step1(counts.step1Matches);
    counts.afterStep1 = std::uint32_t(s.size());
    if (execution != 1) s = Step2(s, counts.step2Blocks);
    counts.afterStep2 = std::uint32_t(s.size());
    return s;
  }
};

TEST(ExtractTest, StepsMatchTheReferenceOnRandomTextsSmallestFirst) {
  std::mt19937 rng(20261207);
  const char* const kWords[] = {"", "a", "b", "c", "ab", "bc", "xa"};
  const char* const kKeys[] = {"a", "b", "c", "ab"};
  auto pick = [&](int lo, int hi) { return int(rng() % unsigned(hi - lo + 1)) + lo; };
  for (int size = 1; size <= 14; ++size) {
    for (int round = 0; round < 400; ++round) {
      CExtractManeger m;
      m.matchCase = true;
      m.step1Extracts = pick(0, 1);
      m.step2Deletes = pick(0, 1);
      for (auto* list : {&m.step1, &m.starts, &m.ends}) {
        list->resize(std::size_t(pick(0, 2)));
        for (ExtractCondition& c : *list) c = {kKeys[pick(0, 3)], pick(-3, 3), pick(0, 4)};
      }
      Lines text(static_cast<std::size_t>(size));
      for (std::string& l : text) l = kWords[pick(0, 6)];
      const std::uint32_t execution = std::uint32_t(pick(1, 3));
      SCOPED_TRACE(::testing::Message() << "size " << size << " round " << round);
      const std::string bytes = Join(text);
      ExtractPlan plan;
      const ExtractFailure failure =
          m.Plan(execution, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), plan);
      ExtractCounts expectedCounts;
      const std::vector<std::uint32_t> expected = Reference{m, text}.Run(execution, expectedCounts);
      const bool noConditions = (execution == 1 && m.step1.empty()) || (execution == 2 && m.starts.empty()) ||
                                (execution == 3 && m.starts.empty() && m.step1.empty());
      if (noConditions) {
        ASSERT_EQ(failure, ExtractFailure::kNoConditions);
        continue;
      }
      ASSERT_EQ(failure, expected.empty() ? ExtractFailure::kEmptyResult : ExtractFailure::kNone);
      ASSERT_EQ(plan.counts, expectedCounts);
      if (!expected.empty()) {
        ASSERT_EQ(plan.lines, expected);
      }
    }
  }
}

// Plans the lines and writes what it keeps, stopping when `more` says so.
struct ExtractFixture : testing::Test {
  CExtractManeger m;
  ExtractPlan plan;
  ExtractFailure failure = ExtractFailure::kNone;
  bool finished = false;
  std::string Output(std::uint32_t execution, const Lines& text, std::function<bool(unsigned long)> more = {}) {
    const std::string bytes = Join(text);
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    failure = m.Plan(execution, p, bytes.size(), plan);
    std::string out;
    if (failure == ExtractFailure::kNone) {
      finished = m.Write(plan, p, LineStarts(p, bytes.size()),
                         [&](const std::uint8_t* b, std::size_t n) { out.append(reinterpret_cast<const char*>(b), n); },
                         more);
    }
    return out;
  }
};

TEST_F(ExtractFixture, SeparatorsFailuresAndStops) {
  // Two blocks with a separator.
  m.starts = {{"s", 0, 1}};
  m.ends = {{"e", 0, 1}};
  m.addSeparator = true;
  m.separator = "----";
  EXPECT_EQ(Output(2, {"s1", "e1", "x", "s2", "e2"}), Join({"----   1/2", "s1", "e1", "----   2/2", "s2", "e2"}));
  Output(1, {});
  EXPECT_EQ(failure, ExtractFailure::kEmptySource);
  // A stop keeps the lines written before it.
  m.step1 = {{"z", 0, 1}};
  EXPECT_EQ(Output(1, {"1", "2", "3"}, [](unsigned long done) { return done < 2; }), "1\r\n2\r\n");
  EXPECT_FALSE(finished);
}

TEST_F(ExtractFixture, ParameterBlockRoundTripsAndRejectsEveryCutOrOverlongBlock) {
  m.execution = 2;
  m.separator = "--";
  m.step1 = {{"a", -2, 3}, {"b", 1, 0}};
  m.ends.clear();
  const std::vector<std::uint8_t> block = m.SaveParameters();
  CExtractManeger back;
  ASSERT_TRUE(back.LoadParameters(block));
  EXPECT_EQ(back.SaveParameters(), block);
  for (std::size_t cut = 0; cut < block.size(); ++cut) {
    CExtractManeger other;
    EXPECT_FALSE(other.LoadParameters(block.data(), cut)) << cut;
    EXPECT_EQ(other.SaveParameters(), CExtractManeger().SaveParameters());
  }
  std::vector<CExtractManeger> bad(4);
  bad[0].separator = std::string(81, 's');
  bad[1].step1.assign(6, {"a", 0, 1});
  bad[2].starts = {{std::string(84, 'x'), 0, 1}};
  bad[3].execution = 4;
  for (const CExtractManeger& b : bad) EXPECT_FALSE(back.LoadParameters(b.SaveParameters()));
}

}  // namespace
}  // namespace quarn
