#include "core/common/SettingsTable.h"

#include <array>

#include "core/common/CompoundSettings.h"

namespace quarn {
namespace {

using T = SettingKey::Type;

constexpr SettingKey Int(const char* name, int AppSettings::*value, int low = INT_MIN, int high = INT_MAX) {
  return {.name = name, .type = T::kInt, .intValue = value, .low = low, .high = high};
}
constexpr SettingKey Color(const char* name, ColorRef AppSettings::*value) {
  return {.name = name, .type = T::kColor, .colorValue = value};
}
constexpr SettingKey Text(const char* name, std::string AppSettings::*value) {
  return {.name = name, .type = T::kText, .textValue = value};
}
constexpr SettingKey Compound(const char* name, void (*read)(const ProfileFile&, AppSettings&),
                             void (*write)(ProfileFile&, const AppSettings&)) {
  return {.name = name, .type = T::kCompound, .read = read, .write = write};
}
constexpr SettingKey ReadOnly(SettingKey key) {
  key.written = false;
  return key;
}

using S = AppSettings;

constexpr std::array kKeys = {
    Int("InitialCabinet", &S::InitialCabinet),
    Int("InitialCabinetMode", &S::InitialCabinetMode),
    Compound("CabinetName", compound::ReadCabinetName, compound::WriteCabinetName),
    Int("CabinetSave", &S::CabinetSave),
    Int("ColorAreaComment", &S::ColorAreaComment),
    Int("DisplayRulerBar", &S::DisplayRulerBar),
    Int("DisplayLineBar", &S::DisplayLineBar),
    Int("RulerCursorColor", &S::RulerCursorColor, 1, 16),
    Int("RulerBackColor", &S::RulerBackColor, 1, 16),
    Int("LineCursorColor", &S::LineCursorColor, 1, 16),
    Int("LineBackColor", &S::LineBackColor, 1, 16),
    Compound("UsedCount", compound::ReadUsedCount, compound::WriteUsedCount),
    Compound("FrequentlyUsedDirectory", compound::ReadDirectories, compound::WriteDirectories),
    Int("AutoScrollInt", &S::AutoScrollInt, 1, 600),
    Int("AutoScrollCount", &S::AutoScrollCount, 1, 60),
    Int("AutoScrollBreak", &S::AutoScrollBreak),
    ReadOnly(Int("BeepSoundType", &S::BeepSoundType)),
    ReadOnly(Int("RulerFontFlag", &S::RulerFontFlag)),
    ReadOnly(Int("SpotConversionIME", &S::SpotConversionIME)),
    ReadOnly(Int("EnableRedirectForWin4", &S::EnableRedirectForWin4)),
    Int("EnableTabPosition", &S::EnableTabPosition),
    Compound("TabPosition", compound::ReadTabPosition, compound::WriteTabPosition),
    Text("ColumnOutString", &S::ColumnOutString),
    Text("InsertionString", &S::InsertionString),
    Int("InsertionPosition", &S::InsertionPosition, 0, 2),
    ReadOnly(Int("ValiableInsertion", &S::ValiableInsertion)),
    Int("DeleteSelectionAtInput", &S::DeleteSelectionAtInput),
    Int("InvokeWithoutUntitled", &S::InvokeWithoutUntitled),
    Int("ScrollLineCount", &S::ScrollLineCount, 1, 10),
    Int("RecordExtractOperation", &S::RecordExtractOperation),
    Int("LeftMarginLM", &S::LeftMarginLM, 0, 500),
    Int("TopMarginLM", &S::TopMarginLM, 0, 500),
    Int("DisplayToolBar", &S::DisplayToolBar),
    Int("DisplayStatusBar", &S::DisplayStatusBar),
    Int("Binary1", &S::Binary1),
    Int("Binary2", &S::Binary2),
    Color("Binary1Color", &S::Binary1Color),
    Color("Binary2Color", &S::Binary2Color),
    Color("MarkedPosColor", &S::MarkedPosColor),
    Color("AddressLineTextColor", &S::AddressLineTextColor),
    Color("AddressLineBackColor", &S::AddressLineBackColor),
    Int("BytesPerLine", &S::BytesPerLine, 5, 64),
    Int("HexAddress", &S::HexAddress),
    Int("DecimalBlockBytes", &S::DecimalBlockBytes, 5, 64),
    Int("HexBlockBytes", &S::HexBlockBytes, 5, 64),
    Text("ReplacingChar", &S::ReplacingChar),
    Int("DrawUnderLine", &S::DrawUnderLine),
    Color("CursorUnderLineColor", &S::CursorUnderLineColor),
    Int("LineSpacesLM", &S::LineSpacesLM, 0, 100),
    Int("LongTitle", &S::LongTitle),
    Int("StrCodeType", &S::StrCodeType),
    Int("DisplayTabBar", &S::DisplayTabBar),
    Int("ButtonStyleTabBar", &S::ButtonStyleTabBar),
    Int("TabBarPosition", &S::TabBarPosition),
    Compound("TabBarHeightAdjust", compound::ReadTabBarHeightAdjust, compound::WriteTabBarHeightAdjust),
    Int("EnableTabBarImage", &S::EnableTabBarImage),
    Int("TabBarImageNo", &S::TabBarImageNo, 0, 2),
    Int("AddDocNumber", &S::AddDocNumber),
    Int("MultiInstance", &S::MultiInstance),
    Int("MaxEditRange", &S::MaxEditRange, 0, 10),
    Int("StartWithOverWrite", &S::StartWithOverWrite),
    Int("Ignore8bitCode", &S::Ignore8bitCode),
    Text("DummyCharFor8bit", &S::DummyCharFor8bit),
    Int("DrawUnderCaret", &S::DrawUnderCaret),
    Color("UnderCaretColor", &S::UnderCaretColor),
    Int("OneRasterLow", &S::OneRasterLow),
    Int("OnlyOppositePart", &S::OnlyOppositePart),
    Int("EnRexp", &S::EnRexp),
    ReadOnly(Int("FlatToolbar", &S::FlatToolbar)),
    ReadOnly(Int("ParallelView", &S::ParallelView)),
};

const AppSettings& Defaults() {
  static const AppSettings defaults;
  return defaults;
}

}  // namespace

std::span<const SettingKey> SettingKeys() { return kKeys; }

void ReadSettingKey(const SettingKey& key, const ProfileFile& file, AppSettings& settings) {
  const AppSettings& defaults = Defaults();
  switch (key.type) {
    case T::kInt: {
      const int fallback = defaults.*key.intValue;
      const int value = file.GetInt(kSettingsSection, key.name, fallback);
      settings.*key.intValue = (value < key.low || value > key.high) ? fallback : value;
      break;
    }
    case T::kColor:
      settings.*key.colorValue =
          ColorRef(file.GetInt(kSettingsSection, key.name, int(defaults.*key.colorValue)));
      break;
    case T::kText:
      settings.*key.textValue = file.GetString(kSettingsSection, key.name, defaults.*key.textValue);
      break;
    case T::kCompound:
      key.read(file, settings);
      break;
  }
}

void WriteSettingKey(const SettingKey& key, ProfileFile& file, const AppSettings& settings) {
  if (!key.written) return;
  switch (key.type) {
    case T::kInt:
      file.WriteInt(kSettingsSection, key.name, settings.*key.intValue);
      break;
    case T::kColor:
      file.WriteInt(kSettingsSection, key.name, int(settings.*key.colorValue));
      break;
    case T::kText:
      file.WriteString(kSettingsSection, key.name, settings.*key.textValue);
      break;
    case T::kCompound:
      key.write(file, settings);
      break;
  }
}

}  // namespace quarn
