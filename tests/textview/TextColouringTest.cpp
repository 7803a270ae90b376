#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/cabinet/KeywordTable.h"
#include "core/textview/TextColouring.h"

namespace quarn {
namespace {

CommentTables::Text TextOf(const std::string& s) {
  return CommentTables::Text{reinterpret_cast<const std::uint8_t*>(s.data()), std::uint32_t(s.size())};
}

constexpr ColorRef kUser = 1, kC = 2, kCpp = 3, kComment = 4;

ColourRules RulesFor(SyntaxLanguage language, const KeywordTable* keywords = nullptr) {
  return {.language = language, .areaComments = true, .keywords = keywords, .keywordColour = kUser,
          .cKeywordColour = kC, .cppKeywordColour = kCpp, .commentColour = kComment};
}

// One letter per byte: '.' plain, 'u' user keyword, 'c' C, 'p' C++, '/' comment.
std::string Colours(const std::string& s, const ColourRules& rules) {
  CommentTables tables;
  tables.Rebuild(TextOf(s));
  std::vector<std::uint32_t> colours;
  ColourStretch(TextOf(s), 0, 0, std::uint32_t(s.size()), rules, &tables, colours);
  std::string out;
  for (std::uint32_t v : colours) out += ".ucp/"[v ? (v & kColourMask) : 0];
  return out;
}

TEST(TextColouringTest, KeywordsAndComments) {
  KeywordTable words;
  words.Add("ab");
  words.Add("\x82\xa0" "x");  // あx
  // Language, text, colours, keywords' case and whole words only.
  const std::tuple<SyntaxLanguage, std::string, std::string, bool> cases[] = {
      {SyntaxLanguage::kC, "#include x\r\n#if", "cccccccc....ccc", true},
      {SyntaxLanguage::kC, "class int", "......ccc", true},
      {SyntaxLanguage::kCpp, "class int", "ppppp.ccc", true},
      {SyntaxLanguage::kNone, "int ab xab AB", "....uu.......", true},
      {SyntaxLanguage::kNone, "z\x82\xa0" "xz", ".uuu.", true},  // double-byte keyword inside a word
      {SyntaxLanguage::kC, "a/*b*/c//d\r\ne", "./////./////.", true},
      {SyntaxLanguage::kC, "//x/*\r\nint", "///////ccc", true},  // "/*" inside a line comment opens nothing
      {SyntaxLanguage::kC, "/*/a*/b", "//////.", true},
      {SyntaxLanguage::kNone, "AB xaBy", "uu..uu.", false},  // any case, inside words too
  };
  for (const auto& [language, text, colours, caseSensitive] : cases) {
    ColourRules rules = RulesFor(language, &words);
    rules.caseSensitive = rules.wholeWord = caseSensitive;
    EXPECT_EQ(Colours(text, rules), colours) << text;
  }
}

// Plain reference: every "/*" and "*/" of the text, the first kMaxEntries.
std::vector<std::uint32_t> Delimiters(const std::string& s, char a, char b) {
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i + 1 < s.size(); ++i)
    if (s[i] == a && s[i + 1] == b) out.push_back(std::uint32_t(i));
  return out;
}

// Plain reference: whether a scan from the start of s is inside a block comment at pos.
bool InsideByScan(const std::string& s, std::size_t pos) {
  enum { kNormal, kLine, kBlock } state = kNormal;
  for (std::size_t p = 0; p < pos; ++p) {
    const char b = s[p], next = p + 1 < s.size() ? s[p + 1] : 0;
    if (state == kNormal && b == '/' && (next == '/' || next == '*')) {
      state = next == '/' ? kLine : kBlock;
      p += next == '*';
    } else if ((state == kLine && b == '\n') || (state == kBlock && b == '*' && next == '/')) {
      p += state == kBlock;
      state = kNormal;
    }
  }
  return state == kBlock;
}

TEST(TextColouringTest, CommentTablesFollowRandomEditsAsARescanWould) {
  std::mt19937 rng(11);
  const std::string alphabet = "/**/ab\r\n";
  for (int round = 0; round < 33; ++round) {
    std::string text;
    CommentTables tables;
    bool overflowed = false;
    int told = 0;  // limits reported: once, not at every later edit
    const int steps = round < 30 ? 200 : 5000;  // the last rounds pass the limit
    for (int step = 0; step < steps; ++step) {
      const auto pos = std::uint32_t(rng() % (text.size() + 1));
      if (round >= 30 || rng() % 3 != 0 || text.empty()) {
        std::string bytes;
        for (int n = 1 + int(rng() % 6); n > 0; --n) bytes += alphabet[rng() % alphabet.size()];
        text.insert(pos, bytes);
        told += !tables.OnInsert(TextOf(text), pos, std::uint32_t(bytes.size()));
      } else {
        const auto n = std::min<std::uint32_t>(1 + rng() % 5, std::uint32_t(text.size()) - pos);
        if (pos >= text.size()) continue;
        text.erase(pos, n);
        told += !tables.OnDelete(TextOf(text), pos, n);
      }
      overflowed = told > 0;
      if (overflowed && step % 100 != 0) continue;
      const auto opens = Delimiters(text, '/', '*');
      const auto closes = Delimiters(text, '*', '/');
      if (!overflowed) {
        ASSERT_EQ(tables.Opens(), opens) << "round " << round << " step " << step;
        ASSERT_EQ(tables.Closes(), closes) << "round " << round << " step " << step;
        // The comment state at a line start, judged anew after the edit.
        const auto nl = text.find('\n', rng() % (text.size() + 1));
        if (nl != std::string::npos) {
          ASSERT_EQ(tables.InsideBlock(TextOf(text), std::uint32_t(nl + 1)), InsideByScan(text, nl + 1))
              << "round " << round << " step " << step << " at " << nl + 1;
        }
        continue;
      }
      // Past the limit the tables hold at most 700 real delimiters.
      ASSERT_LE(tables.Opens().size(), CommentTables::kMaxEntries);
      ASSERT_LE(tables.Closes().size(), CommentTables::kMaxEntries);
      for (std::uint32_t p : tables.Opens()) ASSERT_TRUE(std::binary_search(opens.begin(), opens.end(), p));
      for (std::uint32_t p : tables.Closes()) ASSERT_TRUE(std::binary_search(closes.begin(), closes.end(), p));
    }
    EXPECT_EQ(told, round >= 30 ? 1 : 0) << "round " << round;
  }
}

// Rows painted alone, in any order, colour as a paint from the top does,
// and a row's comment state costs at most the delimiters before it.
TEST(TextColouringTest, ColouringFromALineStartAgreesWithColouringFromTheTop) {
  std::mt19937 rng(5);
  // Lines full of "/*" inside line comments once cost exponential work.
  std::string calls, values;
  for (int i = 0; i < 12; ++i)
    calls += "//  f(/* a */ 1, /* b */ 2, /* c */ 3, /* d */ 4, /* e */ 5, /* f */ 6, /* g */ 7, /* h */ 8);\r\n";
  for (int i = 0; i < 40; ++i) values += "//  x = " + std::to_string(i) + "; /* old value */\r\n";
  std::vector<std::string> texts = {calls + "int a; /* open\r\nb\r\n*/ c\r\n", values + "y /* z\r\nw */\r\n"};
  const std::string pieces[] = {"/*", "*/", "//", "a", " ", "\r\n", "int", "/", "*"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int n = 0; n < 60; ++n) text += pieces[rng() % std::size(pieces)];
    texts.push_back(text);
  }
  const ColourRules rules = RulesFor(SyntaxLanguage::kC);
  for (const std::string& text : texts) {
    const CommentTables::Text t = TextOf(text);
    CommentTables tables;
    tables.Rebuild(t);
    std::vector<std::uint32_t> whole, part, starts;
    ColourStretch(t, 0, 0, t.length, rules, &tables, whole);
    for (std::uint32_t from = 1; from < t.length; ++from)
      if (text[from - 1] == '\n') starts.push_back(from);
    std::shuffle(starts.begin(), starts.end(), rng);
    for (std::uint32_t from : starts) {
      const std::uint64_t before = tables.Visits();
      ColourStretch(t, from, from, t.length, rules, &tables, part);
      ASSERT_TRUE(std::equal(part.begin(), part.end(), whole.begin() + from)) << text << " from " << from;
      const auto passed = std::lower_bound(tables.Opens().begin(), tables.Opens().end(), from) - tables.Opens().begin();
      ASSERT_LE(tables.Visits() - before, 2u * std::uint64_t(passed)) << text << " from " << from;
    }
  }
}

TEST(TextColouringTest, EditsThatTouchCommentsAndWhereTheirRedrawStarts) {
  const ColourRules rules = RulesFor(SyntaxLanguage::kC);
  const std::string text = "ab/ int\r\nx";
  const auto t = TextOf(text);
  auto insert = [&](std::uint32_t pos, const std::string& s) {
    return CommentsOnInsert(t, rules, pos, reinterpret_cast<const std::uint8_t*>(s.data()), std::uint32_t(s.size()));
  };
  EXPECT_TRUE(insert(0, "/*"));
  EXPECT_TRUE(insert(3, "*")) << "completes /* with the byte before";
  EXPECT_FALSE(insert(0, "zz"));
  EXPECT_FALSE(insert(3, "/")) << "a // before nothing that is a delimiter";
  EXPECT_FALSE(CommentsOnDelete(t, rules, 3, 1));
  const std::string joint = "a/x*b";
  EXPECT_TRUE(CommentsOnDelete(TextOf(joint), rules, 2, 1)) << "the deletion joins / and * into a delimiter";
  EXPECT_EQ(RedrawStart(t, rules, 6), 4u) << "inside int";
  EXPECT_EQ(RedrawStart(t, rules, 1), 1u);
  EXPECT_EQ(RedrawStart(TextOf("a int"), rules, 5), 2u) << "a keyword ending the text";
  KeywordTable words;
  words.Add("Abc");
  ColourRules user = RulesFor(SyntaxLanguage::kNone, &words);
  const std::string typed = "xabc yz";
  EXPECT_EQ(RedrawStart(TextOf(typed), user, 4), 4u) << "case differs";
  user.caseSensitive = false;
  for (std::uint32_t pos : {2u, 3u, 4u}) EXPECT_EQ(RedrawStart(TextOf(typed), user, pos), 1u) << pos;
  EXPECT_EQ(RedrawStart(TextOf(typed), user, 5), 5u);
}

}  // namespace
}  // namespace quarn
