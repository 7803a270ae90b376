#include "core/textview/WordClass.h"

#include "core/document/CVeskDoc.h"
#include "core/encoding/Cp932.h"

namespace quarn {

int WordClassOf(std::uint16_t c) {
  if (c < 0x100) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return kWordAlnum;
    if (c >= 0xA6 && c <= 0xDF) return kWordHalfKana;
    return kWordSpace;
  }
  if (c == 0x815B) return kWordKatakana;
  if (c >= 0x8140 && c <= 0x81AC && c != 0x817F) return kWordSpace;
  if (c >= 0x829F && c <= 0x82F1) return kWordHiragana;
  if (c >= 0x8340 && c <= 0x8396 && c != 0x837F) return kWordKatakana;
  return kWordOther;
}

int WordClassAt(CVeskDoc& doc, std::uint32_t pos) {
  if (pos >= doc.TextLength()) return kWordSpace;
  const std::uint8_t b = doc.ByteAt(pos);
  if (cp932::IsLeadByte(b) && pos + 1 < doc.TextLength()) return WordClassOf(std::uint16_t(b << 8 | doc.ByteAt(pos + 1)));
  return WordClassOf(b);
}

}  // namespace quarn
