// The fixed keyword classes of the C and C++ document types, coloured with
// CKeywordColor and CppKeywordColor. They cannot be edited.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quarn {

// One keyword as the tables hold it: a 32-bit length and the text, 32 bytes.
struct KeywordEntry {
  static constexpr std::size_t kTextSize = 28;

  std::uint32_t length = 0;
  std::array<char, kTextSize> text{};

  constexpr KeywordEntry() = default;
  template <std::size_t N>
  constexpr KeywordEntry(const char (&word)[N]) : length(std::uint32_t(N - 1)) {
    static_assert(N <= kTextSize, "keyword too long for its entry");
    for (std::size_t i = 0; i + 1 < N; ++i) text[i] = word[i];
  }
  constexpr std::string_view view() const { return std::string_view(text.data(), length); }
};
static_assert(sizeof(KeywordEntry) == 32);

// 81 entries: reserved words, compiler extensions and preprocessor
// directives (with their "#").
std::span<const KeywordEntry> CKeywords();
// 15 entries: the words C++ adds.
std::span<const KeywordEntry> CppKeywords();

}  // namespace quarn
