// The colour of every byte of a stretch of text: user keywords, the C and
// C++ keywords, marked characters and comments, each later rule over the
// earlier ones. Painting and printing read the same values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/DocumentMarks.h"
#include "core/textview/CommentTables.h"
#include "platform/Types.h"

namespace quarn {

class KeywordTable;

// A cell colour value: 0 the character colour on the text background; with
// kTextColourFlag a text colour (keywords, comments) on the text
// background; with kBackColourFlag a background under the character
// colour (marked characters), which comments leave alone.
constexpr std::uint32_t kTextColourFlag = 0x40000000u;
constexpr std::uint32_t kBackColourFlag = 0x80000000u;
constexpr std::uint32_t kColourMask = 0x00FFFFFFu;

enum class SyntaxLanguage { kNone, kC, kCpp };

struct ColourRules {
  SyntaxLanguage language = SyntaxLanguage::kNone;
  bool areaComments = false;  // "ColorAreaComment": block comments coloured
  const KeywordTable* keywords = nullptr;
  bool wholeWord = true;
  bool caseSensitive = true;
  ColorRef keywordColour = 0;
  ColorRef cKeywordColour = 0;
  ColorRef cppKeywordColour = 0;
  ColorRef commentColour = 0;
  ColorRef markedCharBack = 0;
  const std::vector<CharMark>* charMarks = nullptr;  // sorted by position
};

// Fills colours[i] for the byte from + i of [from, to). scanFrom (<= from,
// a character start, normally the start of from's logical line) is where
// keywords and line comments are looked for; tables (may be null) tell
// whether scanFrom lies inside a block comment.
void ColourStretch(const CommentTables::Text& text, std::uint32_t scanFrom, std::uint32_t from, std::uint32_t to,
                   const ColourRules& rules, const CommentTables* tables, std::vector<std::uint32_t>& colours);

// Whether pos (a line start) lies inside a block comment, from the tables.
bool InsideBlockComment(const CommentTables::Text& text, const CommentTables& tables, std::uint32_t pos);

// The start of the logical line holding pos, looking back at most limit bytes.
std::uint32_t LineStartBefore(const CommentTables::Text& text, std::uint32_t pos, std::uint32_t limit);

// Whether an edit may change which text is inside a comment, so that the
// rest of the window must be redrawn: the inserted (or deleted) bytes hold
// a delimiter, form one with a neighbour, or hold or complete a "//" before
// a delimiter later on the line. text is the text before the edit.
bool CommentsOnInsert(const CommentTables::Text& text, const ColourRules& rules, std::uint32_t pos,
                      const std::uint8_t* bytes, std::uint32_t n);
bool CommentsOnDelete(const CommentTables::Text& text, const ColourRules& rules, std::uint32_t pos, std::uint32_t n);

// RedrawStart reads at most this many bytes before pos: the longest keyword
// looked back for and the byte before it.
constexpr std::uint32_t kRedrawLookBack = 31;

// The first position whose colour may change by an edit at pos: the start
// of a keyword that reaches pos, of a character mark holding pos, or one
// byte before when pos splits a delimiter.
std::uint32_t RedrawStart(const CommentTables::Text& text, const ColourRules& rules, std::uint32_t pos);

}  // namespace quarn
