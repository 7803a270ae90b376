#include <algorithm>
#include <random>
#include <sstream>

#include "DocSupport.h"

namespace quarn::doctests {
namespace {

using Id = std::uint64_t;
constexpr Id kStart = 0;   // the anchor of the first line
constexpr Id kGone = ~0ull;

// The plain model: every byte carries an identity. A line mark (and the tag line, anchors_[0]) is anchored to the CR
// before its line or to the start of the text; a character mark to the identities of its bytes. The expected marks
// are read back from where those identities stand now.
class Model {
 public:
  explicit Model(const std::string& text) { Put(0, text); }

  void Put(std::uint32_t pos, const std::string& s) {
    const Id first = next_;
    next_ += s.size();
    // Exactly a CR LF at the start of a marked line pushes the line down.
    const Id before = s == "\r\n" ? AnchorOf(pos) : kGone;
    for (Id& a : anchors_)
      if (a == before && a != kGone) a = first;
    text_.insert(pos, s);
    for (std::size_t i = 0; i < s.size(); ++i) ids_.insert(ids_.begin() + pos + i, first + i);
  }
  // keptRowStart and startsRow describe the rows before the deletion.
  void Cut(std::uint32_t pos, std::uint32_t n, std::uint32_t keptRowStart, bool startsRow) {
    for (Id& a : anchors_) {
      const std::int64_t line = a == kGone ? -1 : LineStart(a);
      if (line < 0) continue;
      if (line >= pos && line < keptRowStart) a = kGone;  // the line's first row went
      else if (startsRow && line == pos + n && n >= 2) a = AnchorOf(pos);  // it now begins at pos
      else if (line - 2 >= pos && line - 2 < pos + n) a = kGone;  // its CR went
    }
    text_.erase(pos, n);
    ids_.erase(ids_.begin() + pos, ids_.begin() + pos + n);
    if (text_.empty()) anchors_.assign(1, kGone);
  }
  void MarkLine(std::uint32_t start) { anchors_.push_back(AnchorOf(start)); }
  void Tag(std::uint32_t start) { anchors_[0] = AnchorOf(start); }
  void MarkChars(std::uint32_t pos, std::uint32_t n) {
    chars_.push_back({std::vector<Id>(ids_.begin() + pos, ids_.begin() + pos + n), text_.substr(pos, n)});
  }

  std::vector<std::uint32_t> Lines() const {
    std::vector<std::int64_t> starts;
    for (std::size_t i = 1; i < anchors_.size(); ++i)
      if (anchors_[i] != kGone) starts.push_back(LineStart(anchors_[i]));
    std::sort(starts.begin(), starts.end());
    std::vector<std::uint32_t> values;
    for (std::int64_t s : starts) values.push_back(std::uint32_t(s - 2));
    return values;
  }
  std::uint32_t TagLine() const {
    return anchors_[0] == kGone ? DocumentMarks::kNoTag : std::uint32_t(LineStart(anchors_[0]) - 2);
  }
  // The marks whose bytes still stand together, as "pos:text".
  std::vector<std::string> Chars() const {
    std::vector<std::pair<std::uint32_t, std::string>> alive;
    for (const auto& [ids, text] : chars_) {
      const auto at = std::search(ids_.begin(), ids_.end(), ids.begin(), ids.end());
      if (at != ids_.end()) alive.push_back({std::uint32_t(at - ids_.begin()), text});
    }
    std::stable_sort(alive.begin(), alive.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<std::string> out;
    for (const auto& [pos, text] : alive) out.push_back(std::to_string(pos) + ":" + text);
    return out;
  }
  const std::string& Text() const { return text_; }

 private:
  Id AnchorOf(std::uint32_t lineStart) const {
    if (lineStart == 0) return kStart;
    return lineStart >= 2 && text_[lineStart - 2] == '\r' ? ids_[lineStart - 2] : kGone;
  }
  std::int64_t LineStart(Id anchor) const {
    return anchor == kStart ? 0 : std::int64_t(std::find(ids_.begin(), ids_.end(), anchor) - ids_.begin()) + 2;
  }

  std::string text_;
  std::vector<Id> ids_;
  Id next_ = 1;
  std::vector<Id> anchors_{kGone};
  std::vector<std::pair<std::vector<Id>, std::string>> chars_;
};

std::vector<std::string> Chars(const DocumentMarks& marks) {
  std::vector<std::string> out;
  for (const CharMark& m : marks.CharMarks()) out.push_back(std::to_string(m.pos) + ":" + std::string(m.Text()));
  return out;
}

class MarksUnderEdits : public DocTest, public ::testing::WithParamInterface<int> {};

TEST_P(MarksUnderEdits, FollowTheTextAsTheModelSays) {
  std::mt19937 rng(unsigned(GetParam()) * 7919u);
  auto pick = [&rng](std::uint32_t n) { return std::uint32_t(rng() % n); };
  auto piece = [&](std::uint32_t max) {
    std::string s;
    for (std::uint32_t n = 1 + pick(max); n > 0; --n) s += pick(6) == 0 ? "\r\n" : std::string(1, char('a' + pick(26)));
    return s;
  };
  for (int round = 0; round < 20; ++round) {
    const std::string start = piece(60);
    auto doc = LoadedDoc(B(start), {GetParam()});
    DocumentMarks& marks = doc->Marks();
    Model model(start);
    std::ostringstream log;
    for (int step = 0; step < 80; ++step) {
      const std::string text = model.Text();
      const auto length = std::uint32_t(text.size());
      // Edits start and end on character boundaries: never inside a CR LF.
      auto boundary = [&](std::uint32_t p) { return p > 0 && p < length && text[p - 1] == '\r' ? p + 1 : p; };
      std::vector<std::uint32_t> lines{0};
      for (std::uint32_t i = 0; i + 1 < length; ++i)
        if (text[i] == '\r') lines.push_back(i + 2);
      const std::uint32_t line = lines[pick(std::uint32_t(lines.size()))];
      const std::uint32_t pos = pick(2) == 0 ? line : boundary(pick(length + 1));
      const std::uint32_t action = pick(6);
      if (action == 0) {
        if (length > 0 && !marks.LineMarkAt(line) && marks.AddLineMark(line - 2)) model.MarkLine(line);
        log << " mark line " << line;
      } else if (action == 1) {
        marks.SetTagLine(line - 2);
        model.Tag(line);
        log << " tag " << line;
      } else if (action == 2) {
        const std::uint32_t n = std::min(1 + pick(4), length - pos);
        if (n == 0 || text.substr(pos, n).find_first_of("\r\n") != std::string::npos) continue;
        if (marks.AddCharMark(pos, text.substr(pos, n))) model.MarkChars(pos, n);
        log << " mark chars " << pos << "+" << n;
      } else if (action < 5) {
        const std::string s = pos == line && pick(2) == 0 ? std::string("\r\n") : piece(8);
        Insert(*doc, pos, s);
        model.Put(pos, s);
        log << " insert " << pos << "+" << s.size();
      } else {
        const std::uint32_t end = std::min(length, boundary(pos + 1 + pick(12)));
        if (end <= pos) continue;
        const std::uint32_t kept = doc->RowStartOfPos(end);
        const bool startsRow = doc->RowStartOfPos(pos) == pos;
        doc->DeleteText(pos, end - pos);
        model.Cut(pos, end - pos, kept, startsRow);
        log << " delete " << pos << "-" << end;
      }
      SCOPED_TRACE("round " + std::to_string(round) + ":" + log.str());
      ASSERT_EQ(std::tuple(marks.LineMarks(), marks.TagLine(), Chars(marks)),
                std::tuple(model.Lines(), model.TagLine(), model.Chars()));
    }
  }
}

// Without wrapping (rows are lines) and with rows of ten columns.
INSTANTIATE_TEST_SUITE_P(Widths, MarksUnderEdits, ::testing::Values(250, 10));

// More marks than the attribute file holds are refused.
TEST(DocumentMarksTest, HoldAHundredLineMarksAndCharacterMarksOfOneToEightyBytes) {
  DocumentMarks full;
  for (std::uint32_t i = 0; i < 100; ++i) ASSERT_TRUE(full.AddLineMark(i * 4 + 2));
  EXPECT_FALSE(full.AddLineMark(1000));
  EXPECT_TRUE(full.AddCharMark(0, std::string(80, 'x')));
  EXPECT_FALSE(full.AddCharMark(0, std::string(81, 'x')));
  EXPECT_FALSE(full.AddCharMark(0, ""));
}

}  // namespace
}  // namespace quarn::doctests
