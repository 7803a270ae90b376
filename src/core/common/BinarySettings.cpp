#include "core/common/BinarySettings.h"

#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

int InRange(int value, int low, int high, int fallback) {
  return value >= low && value <= high ? value : fallback;
}

}  // namespace

char BinaryViewSettings::DummyChar() const {
  if (DummyCharFor8bit.empty()) return '.';
  const auto b = std::uint8_t(DummyCharFor8bit[0]);
  // A double-byte character or a control byte cannot fill one cell.
  if (b < 0x20 || cp932::IsLeadByte(b)) return '.';
  return char(b);
}

BinaryViewSettings BinaryViewSettings::Normalized() const {
  BinaryViewSettings s = *this;
  const BinaryViewSettings defaults;
  s.BytesPerLine = InRange(BytesPerLine, 5, 64, defaults.BytesPerLine);
  s.HexBlockBytes = InRange(HexBlockBytes, 5, 64, defaults.HexBlockBytes);
  s.DecimalBlockBytes = InRange(DecimalBlockBytes, 5, 64, defaults.DecimalBlockBytes);
  s.Binary1 = InRange(Binary1, 0, 255, defaults.Binary1);
  s.Binary2 = InRange(Binary2, 0, 255, defaults.Binary2);
  s.StrCodeType = InRange(StrCodeType, 1, 4, defaults.StrCodeType);
  s.LeftMarginLM = InRange(LeftMarginLM, 0, 500, defaults.LeftMarginLM);
  s.TopMarginLM = InRange(TopMarginLM, 0, 500, defaults.TopMarginLM);
  return s;
}

const char* StrCodeName(StrCode code) {
  switch (code) {
    case StrCode::kJis: return "JIS";
    case StrCode::kEuc: return "EUC";
    case StrCode::kUni: return "UNI";
    case StrCode::kSjis: break;
  }
  return "SJIS";
}

StrCode NextStrCode(StrCode code) {
  const int next = int(code) % 4 + 1;
  return StrCode(next);
}

}  // namespace quarn
