#include "core/tools/CharClasses.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/encoding/Cp932.h"
#include "core/res/Texts.h"

namespace quarn::charclass {
namespace {

constexpr int kNoIndex = 0xFFFF;

// Full-width symbols and their half-width forms (the symbols of class 12).
constexpr struct {
  std::uint16_t full;
  std::uint8_t half;
} kSymbolPairs[] = {
    {0x8149, '!'}, {0x8168, '"'}, {0x8194, '#'}, {0x8190, '$'}, {0x8193, '%'}, {0x8195, '&'}, {0x8166, '\''},
    {0x8169, '('}, {0x816A, ')'}, {0x8196, '*'}, {0x817B, '+'}, {0x8143, ','}, {0x817C, '-'}, {0x8144, '.'},
    {0x815E, '/'}, {0x8146, ':'}, {0x8147, ';'}, {0x8183, '<'}, {0x8181, '='}, {0x8184, '>'}, {0x8148, '?'},
    {0x8197, '@'}, {0x816D, '['}, {0x815F, '\\'}, {0x816E, ']'}, {0x814F, '^'}, {0x8151, '_'}, {0x816F, '{'},
    {0x8162, '|'}, {0x8170, '}'}, {0x8160, '~'},
};
// Further full-width forms of the same symbols: the overline and the yen sign.
constexpr struct {
  std::uint16_t full;
  std::uint8_t half;
} kSymbolAliases[] = {{0x8150, '~'}, {0x818F, '\\'}};

constexpr struct {
  std::uint16_t full;
  std::uint8_t half;
} kKanaSymbolPairs[] = {{0x8142, 0xA1}, {0x8175, 0xA2}, {0x8176, 0xA3}, {0x8141, 0xA4},
                        {0x8145, 0xA5}, {0x814A, 0xDE}, {0x814B, 0xDF}};

// Half-width forms of the katakana 0x8340..0x8394 (0x837F is unused), 0
// where half-width katakana has no unvoiced form.
constexpr std::uint8_t kHalfForms[0x55] = {
    0xA7, 0xB1, 0xA8, 0xB2, 0xA9, 0xB3, 0xAA, 0xB4, 0xAB, 0xB5, 0xB6, 0x00, 0xB7, 0x00, 0xB8, 0x00,  // 8340
    0xB9, 0x00, 0xBA, 0x00, 0xBB, 0x00, 0xBC, 0x00, 0xBD, 0x00, 0xBE, 0x00, 0xBF, 0x00, 0xC0, 0x00,  // 8350
    0xC1, 0x00, 0xAF, 0xC2, 0x00, 0xC3, 0x00, 0xC4, 0x00, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0x00,  // 8360
    0x00, 0xCB, 0x00, 0x00, 0xCC, 0x00, 0x00, 0xCD, 0x00, 0x00, 0xCE, 0x00, 0x00, 0xCF, 0xD0, 0x00,  // 8370
    0xD1, 0xD2, 0xD3, 0xAC, 0xD4, 0xAD, 0xD5, 0xAE, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB, 0x00, 0xDC,  // 8380
    0x00, 0x00, 0xA6, 0xDD, 0x00,                                                                    // 8390
};
// The voiced katakana (a mark after the kana one or two codes before them).
constexpr std::uint16_t kVoiced[] = {0x834B, 0x834D, 0x834F, 0x8351, 0x8353, 0x8355, 0x8357, 0x8359, 0x835B,
                                     0x835D, 0x835F, 0x8361, 0x8364, 0x8366, 0x8368, 0x836F, 0x8372, 0x8375,
                                     0x8378, 0x837B};
constexpr std::uint16_t kSemiVoiced[] = {0x8370, 0x8373, 0x8376, 0x8379, 0x837C};
constexpr std::uint16_t kVu = 0x8394;
constexpr std::uint16_t kProlonged = 0x815B;  // ー, the counterpart of the half-width ｰ

std::string Bytes(std::uint16_t c) {
  return c > 0xFF ? std::string{char(c >> 8), char(c & 0xFF)} : std::string(1, char(c));
}

struct Tables {
  std::uint8_t classOf[0x10000] = {};  // by character value (a byte, or lead << 8 | trail)
  std::uint16_t indexOf[0x10000];
  std::uint16_t voicedIndex[0x100][2];  // half-width kana + ﾞ or ﾟ
  std::vector<std::string> items[29];   // by class, the characters in their family's order

  Tables() {
    std::fill(std::begin(indexOf), std::end(indexOf), std::uint16_t(kNoIndex));
    for (auto& v : voicedIndex) v[0] = v[1] = kNoIndex;
    Family({11, 21}, {{0x20, 0x8140}});
    std::vector<std::vector<std::uint16_t>> rows;
    for (const auto& p : kSymbolPairs) rows.push_back({p.half, p.full});
    Family({12, 22}, rows);
    for (const auto& a : kSymbolAliases)
      for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i][0] == a.half) Member(22, a.full, i);
    rows.clear();
    for (std::uint16_t d = 0; d < 10; ++d) rows.push_back({std::uint16_t('0' + d), std::uint16_t(0x824F + d)});
    Family({13, 23}, rows);
    rows.clear();
    for (std::uint16_t l = 0; l < 26; ++l)
      rows.push_back({std::uint16_t('A' + l), std::uint16_t('a' + l), std::uint16_t(0x8260 + l), std::uint16_t(0x8281 + l)});
    Family({14, 15, 24, 25}, rows);
    rows.clear();
    for (const auto& p : kKanaSymbolPairs) rows.push_back({p.half, p.full});
    Family({16, 26}, rows);
    Kana();
  }

  void Member(int cls, std::uint16_t c, std::size_t index) {
    classOf[c] = std::uint8_t(cls);
    indexOf[c] = std::uint16_t(index);
  }
  void Family(std::vector<int> classes, const std::vector<std::vector<std::uint16_t>>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
      for (std::size_t k = 0; k < classes.size(); ++k) {
        items[classes[k]].push_back(Bytes(rows[i][k]));
        Member(classes[k], rows[i][k], i);
      }
  }
  // Half-width katakana, katakana and hiragana share the katakana's order;
  // the prolonged sound mark comes last.
  void Kana() {
    for (std::uint16_t k = 0x8340; k <= 0x8394; ++k) {
      if (k == 0x837F) continue;
      const std::size_t i = items[27].size();
      items[27].push_back(Bytes(k));
      Member(27, k, i);
      const std::uint16_t h = k == kVu ? 0 : std::uint16_t(k < 0x837F ? k - 0xA1 : k - 0xA2);
      items[28].push_back(h ? Bytes(h) : std::string());
      if (h) Member(28, h, i);
      std::string half;
      if (const std::uint8_t u = kHalfForms[k - 0x8340]) {
        half = std::string(1, char(u));
        Member(17, u, i);
      }
      for (std::uint16_t v : kVoiced)
        if (v == k) half = std::string{char(kHalfForms[k - 1 - 0x8340]), char(0xDE)};
      for (std::uint16_t v : kSemiVoiced)
        if (v == k) half = std::string{char(kHalfForms[k - 2 - 0x8340]), char(0xDF)};
      if (k == kVu) half = "\xB3\xDE";
      if (half.size() == 2) voicedIndex[std::uint8_t(half[0])][std::uint8_t(half[1]) - 0xDE] = std::uint16_t(i);
      items[17].push_back(half);
    }
    const std::size_t i = items[27].size();
    items[27].push_back(Bytes(kProlonged));
    items[28].push_back(Bytes(kProlonged));
    items[17].push_back("\xB0");
    Member(17, 0xB0, i);
  }
};

const Tables& T() {
  static const std::unique_ptr<Tables> tables = std::make_unique<Tables>();
  return *tables;
}

}  // namespace

const std::array<int, 15>& ListOrder() {
  static const std::array<int, 15> order = {12, 13, 14, 15, 16, 17, 11, 22, 23, 24, 25, 26, 27, 28, 21};
  return order;
}

const std::string& Name(int code) {
  static const std::string kNames[] = {texts::kClassHalfSpace,    texts::kClassHalfSymbol, texts::kClassHalfDigit,
                                       texts::kClassHalfUpper,    texts::kClassHalfLower,  texts::kClassHalfKanaSymbol,
                                       texts::kClassHalfKatakana, texts::kClassFullSpace,  texts::kClassFullSymbol,
                                       texts::kClassFullDigit,    texts::kClassFullUpper,  texts::kClassFullLower,
                                       texts::kClassFullKanaSymbol, texts::kClassKatakana, texts::kClassHiragana};
  static const std::string kEmpty;
  if (code >= 11 && code <= 17) return kNames[code - 11];
  if (code >= 21 && code <= 28) return kNames[code - 21 + 7];
  return kEmpty;
}

int ByName(const std::string& text) {
  for (int code : ListOrder())
    if (Name(code) == text) return code;
  return kNone;
}

bool IsClass(int code) { return (code >= 11 && code <= 17) || (code >= 21 && code <= 28); }

bool Allowed(int from, int to) {
  static const std::vector<std::pair<int, std::vector<int>>> kPairs = {
      {11, {21}}, {21, {11}}, {12, {22}}, {22, {12}}, {13, {23}}, {23, {13}}, {16, {26}}, {26, {16}},
      {14, {15, 24, 25}}, {15, {14, 24, 25}}, {24, {14, 15, 25}}, {25, {14, 15, 24}},
      {17, {27, 28}}, {27, {17, 28}}, {28, {17, 27}}};
  for (const auto& [f, targets] : kPairs)
    if (f == from) return std::find(targets.begin(), targets.end(), to) != targets.end();
  return false;
}

int ClassAt(const std::uint8_t* p, std::size_t avail, std::size_t* length) {
  if (cp932::IsLeadByte(p[0]) && avail >= 2) {
    *length = 2;
    return T().classOf[p[0] << 8 | p[1]];
  }
  *length = 1;
  return T().classOf[p[0]];
}

std::size_t Convert(int from, int to, const std::uint8_t* p, std::size_t avail, std::string& out) {
  const Tables& t = T();
  std::size_t length = 1;
  std::uint16_t index = kNoIndex;
  if (from == kHalfKatakana && avail >= 2 && (p[1] == 0xDE || p[1] == 0xDF) && t.voicedIndex[p[0]][p[1] - 0xDE] != kNoIndex) {
    index = t.voicedIndex[p[0]][p[1] - 0xDE];
    length = 2;
  } else {
    const int cls = ClassAt(p, avail, &length);
    if (cls == from) index = t.indexOf[length == 2 ? (p[0] << 8 | p[1]) : p[0]];
  }
  const std::string* target = index != kNoIndex && IsClass(to) && index < t.items[to].size() ? &t.items[to][index] : nullptr;
  if (target && !target->empty())
    out += *target;
  else
    out.append(reinterpret_cast<const char*>(p), length);
  return length;
}

}  // namespace quarn::charclass
