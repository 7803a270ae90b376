#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

constexpr std::uint32_t kFirst = DocumentMarks::kFirstLine;

std::unique_ptr<CVeskDoc> TextDoc(const std::string& text, int width) {
  gProcess.nextDocKind = kTextDoc;
  auto doc = std::make_unique<CVeskDoc>();
  doc->Format().charsPerLine = width;
  doc->InsertText(0, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
  return doc;
}

void Insert(CVeskDoc& doc, std::uint32_t pos, const std::string& s) {
  doc.InsertText(pos, reinterpret_cast<const std::uint8_t*>(s.data()), std::uint32_t(s.size()));
}

// The plain model: every byte of the text carries an identity. A line mark
// is anchored to the CR before its line (or to the start of the text), a
// character mark to the identities of its bytes. The expected marks are
// read back from where those identities now stand.
class Model {
 public:
  static constexpr std::uint64_t kStart = 0;

  explicit Model(const std::string& text) { Put(0, text); }

  void Put(std::uint32_t pos, const std::string& s) {
    // Exactly a CR LF at the start of a marked line pushes the line down.
    const bool crLf = s == "\r\n";
    std::vector<std::uint64_t> fresh;
    for (char c : s) {
      fresh.push_back(nextId_++);
      (void)c;
    }
    if (crLf) {
      const std::uint64_t before = AnchorBefore(pos);
      for (auto* anchor : Anchors())
        if (*anchor == before && before != kNone) *anchor = fresh[0];
    }
    bytes_.insert(bytes_.begin() + pos, s.begin(), s.end());
    ids_.insert(ids_.begin() + pos, fresh.begin(), fresh.end());
  }

  // keptRowStart and startsRow describe the rows before the deletion.
  void Cut(std::uint32_t pos, std::uint32_t n, std::uint32_t keptRowStart, bool startsRow) {
    const std::uint32_t end = pos + n;
    for (auto* anchor : Anchors()) {
      if (*anchor == kNone) continue;
      const std::int64_t line = LineStart(*anchor);
      if (line >= pos && line < keptRowStart) {
        *anchor = kNone;  // the line's first row went
      } else if (startsRow && line == end && n >= 2) {
        // The CR before the line went: the line now begins at pos.
        *anchor = pos == 0 ? kStart : bytes_[pos - 2] == '\r' ? ids_[pos - 2] : kNone;
      } else if (line - 2 >= pos && line - 2 < end) {
        *anchor = kNone;
      }
    }
    bytes_.erase(bytes_.begin() + pos, bytes_.begin() + end);
    ids_.erase(ids_.begin() + pos, ids_.begin() + end);
    if (bytes_.empty()) {
      lines_.clear();
      tag_ = kNone;
    }
  }

  void MarkLine(std::uint32_t lineStart) { lines_.push_back(AnchorBefore(lineStart)); }
  void Tag(std::uint32_t lineStart) { tag_ = AnchorBefore(lineStart); }
  void MarkChars(std::uint32_t pos, std::uint32_t n) {
    chars_.push_back({std::vector<std::uint64_t>(ids_.begin() + pos, ids_.begin() + pos + n),
                      std::string(bytes_.begin() + pos, bytes_.begin() + pos + n)});
  }

  std::vector<std::uint32_t> LineValues() const {
    std::vector<std::pair<std::int64_t, std::uint32_t>> sorted;
    for (std::uint64_t anchor : lines_)
      if (anchor != kNone) sorted.push_back({LineStart(anchor), Value(anchor)});
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::uint32_t> out;
    for (const auto& [start, value] : sorted) out.push_back(value);
    return out;
  }
  std::uint32_t TagValue() const { return tag_ == kNone ? DocumentMarks::kNoTag : Value(tag_); }
  // Marks whose bytes still stand together, as "pos:text".
  std::vector<std::string> CharValues() const {
    std::vector<std::pair<std::uint32_t, std::string>> alive;
    for (const auto& [ids, text] : chars_) {
      const auto at = std::find(ids_.begin(), ids_.end(), ids[0]);
      if (at == ids_.end() || std::size_t(ids_.end() - at) < ids.size()) continue;
      if (!std::equal(ids.begin(), ids.end(), at)) continue;
      alive.push_back({std::uint32_t(at - ids_.begin()), text});
    }
    std::stable_sort(alive.begin(), alive.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<std::string> out;
    for (const auto& [pos, text] : alive) out.push_back(std::to_string(pos) + ":" + text);
    return out;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  static constexpr std::uint64_t kNone = ~0ull;

  std::uint64_t AnchorBefore(std::uint32_t lineStart) const {
    if (lineStart == 0) return kStart;
    return lineStart >= 2 && bytes_[lineStart - 2] == '\r' ? ids_[lineStart - 2] : kNone;
  }
  std::int64_t LineStart(std::uint64_t anchor) const {
    if (anchor == kStart) return 0;
    return std::int64_t(std::find(ids_.begin(), ids_.end(), anchor) - ids_.begin()) + 2;
  }
  std::uint32_t Value(std::uint64_t anchor) const { return std::uint32_t(LineStart(anchor) - 2); }
  std::vector<std::uint64_t*> Anchors() {
    std::vector<std::uint64_t*> all{&tag_};
    for (auto& a : lines_) all.push_back(&a);
    return all;
  }

  std::string bytes_;
  std::vector<std::uint64_t> ids_;
  std::uint64_t nextId_ = 1;
  std::vector<std::uint64_t> lines_;
  std::uint64_t tag_ = kNone;
  std::vector<std::pair<std::vector<std::uint64_t>, std::string>> chars_;
};

std::vector<std::string> CharValues(const DocumentMarks& marks) {
  std::vector<std::string> out;
  for (const CharMark& m : marks.CharMarks()) out.push_back(std::to_string(m.pos) + ":" + std::string(m.Text()));
  return out;
}

std::string TextOf(CVeskDoc& doc) {
  std::string out(doc.TextLength(), '\0');
  if (!out.empty()) doc.Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc.TextLength());
  return out;
}

// Positions where an edit may start or end: never between a CR and its LF.
std::uint32_t Boundary(const std::string& text, std::uint32_t pos) {
  return pos > 0 && pos < text.size() && text[pos - 1] == '\r' ? pos + 1 : pos;
}

std::vector<std::uint32_t> LineStarts(const std::string& text) {
  std::vector<std::uint32_t> starts{0};
  for (std::uint32_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '\r') starts.push_back(i + 2);
  return starts;
}

class MarksUnderEdits : public ::testing::TestWithParam<int> {
 protected:
  fakes::FakePlatform platform;
};

TEST_P(MarksUnderEdits, FollowTheTextAsTheModelSays) {
  const int width = GetParam();
  std::mt19937 rng(unsigned(width) * 7919u);
  auto pick = [&rng](std::uint32_t n) { return std::uint32_t(rng() % n); };
  auto piece = [&](std::uint32_t max) {
    std::string s;
    for (std::uint32_t i = 0, n = 1 + pick(max); i < n; ++i) s += pick(6) == 0 ? std::string("\r\n") : std::string(1, char('a' + pick(26)));
    return s;
  };
  for (int round = 0; round < 20; ++round) {
    const std::string start = piece(60);
    auto doc = TextDoc(start, width);
    Model model(start);
    std::ostringstream log;
    for (int step = 0; step < 80; ++step) {
      const std::string& text = model.Bytes();
      const auto length = std::uint32_t(text.size());
      const std::vector<std::uint32_t> lines = LineStarts(text);
      const std::uint32_t line = lines[pick(std::uint32_t(lines.size()))];
      switch (pick(7)) {
        case 0:
          if (length > 0 && !doc->Marks().LineMarkAt(line) && doc->Marks().AddLineMark(line - 2)) model.MarkLine(line);
          log << " mark line " << line;
          break;
        case 1:
          doc->Marks().SetTagLine(line - 2);
          model.Tag(line);
          log << " tag " << line;
          break;
        case 2: {
          if (length == 0) break;
          const std::uint32_t pos = Boundary(text, pick(length));
          std::uint32_t n = 1;
          while (pos + n < length && n < 5 && text[pos + n] != '\r' && text[pos + n - 1] != '\r') ++n;
          if (text.substr(pos, n).find('\r') != std::string::npos || text.substr(pos, n).find('\n') != std::string::npos) break;
          if (doc->Marks().AddCharMark(pos, text.substr(pos, n))) model.MarkChars(pos, n);
          log << " mark chars " << pos << "+" << n;
          break;
        }
        case 3:
        case 4: {
          // Often exactly a CR LF at a line start.
          const bool crLf = pick(2) == 0;
          const std::uint32_t pos = crLf ? line : Boundary(text, pick(length + 1));
          const std::string s = crLf ? std::string("\r\n") : piece(8);
          Insert(*doc, pos, s);
          model.Put(pos, s);
          log << " insert " << pos << "+" << s.size();
          break;
        }
        default: {
          if (length == 0) break;
          // Often from a line start to the next line start.
          const std::uint32_t pos = pick(2) == 0 ? line : Boundary(text, pick(length));
          if (pos >= length) break;
          std::uint32_t end = Boundary(text, pos + 1 + pick(std::min<std::uint32_t>(length - pos, 12)));
          end = std::min(end, length);
          if (end <= pos) break;
          const std::uint32_t kept = doc->RowStartOfPos(end);
          const bool startsRow = doc->RowStartOfPos(pos) == pos;
          doc->DeleteText(pos, end - pos);
          model.Cut(pos, end - pos, kept, startsRow);
          log << " delete " << pos << "-" << end;
          break;
        }
      }
      ASSERT_EQ(TextOf(*doc), model.Bytes());
      ASSERT_EQ(doc->Marks().LineMarks(), model.LineValues()) << "round " << round << ":" << log.str();
      ASSERT_EQ(doc->Marks().TagLine(), model.TagValue()) << "round " << round << ":" << log.str();
      ASSERT_EQ(CharValues(doc->Marks()), model.CharValues()) << "round " << round << ":" << log.str();
    }
  }
}

// Without wrapping (rows are lines) and with rows of ten columns.
INSTANTIATE_TEST_SUITE_P(Widths, MarksUnderEdits, ::testing::Values(250, 10));

TEST(DocumentMarksTest, EdgeCasesOfTheFirstLineAndTheLimits) {
  fakes::FakePlatform platform;
  auto doc = TextDoc("ab\r\ncd\r\nef", 80);
  DocumentMarks& marks = doc->Marks();
  ASSERT_TRUE(marks.AddLineMark(kFirst));
  ASSERT_TRUE(marks.AddLineMark(2));
  Insert(*doc, 0, "x");  // typing at the start keeps the first line marked
  EXPECT_EQ(marks.LineMarks(), (std::vector<std::uint32_t>{kFirst, 3}));
  EXPECT_TRUE(marks.LineMarkAt(0));
  Insert(*doc, 0, "\r\n");  // a CR LF at the start pushes the first line down
  EXPECT_EQ(marks.LineMarks(), (std::vector<std::uint32_t>{0, 5}));
  doc->DeleteText(0, doc->TextLength());
  EXPECT_TRUE(marks.LineMarks().empty());

  DocumentMarks full;
  for (std::uint32_t i = 0; i < 100; ++i) ASSERT_TRUE(full.AddLineMark(i * 4 + 2));
  EXPECT_FALSE(full.AddLineMark(1000));
  EXPECT_EQ(full.LineMarks().size(), 100u);
  EXPECT_TRUE(full.AddCharMark(0, std::string(80, 'x')));
  EXPECT_FALSE(full.AddCharMark(0, std::string(81, 'x')));
  EXPECT_FALSE(full.AddCharMark(0, ""));
  EXPECT_EQ(full.CharMarks()[0].text[80], '\0');
}

}  // namespace
}  // namespace quarn
