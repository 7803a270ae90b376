#include "core/common/Settings.h"

#include "core/common/ProfileFile.h"
#include "core/common/ProgramDirectory.h"
#include "core/common/SettingsTable.h"
#include "core/common/WindowPos.h"
#include "core/common/BinarySettings.h"
#include "core/common/ProcessValues.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// The binary window keeps its own copy of the values it draws with.
BinaryViewSettings BinaryViewValues(const AppSettings& s) {
  BinaryViewSettings b;
  b.BytesPerLine = s.BytesPerLine;
  b.HexAddress = s.HexAddress;
  b.HexBlockBytes = s.HexBlockBytes;
  b.DecimalBlockBytes = s.DecimalBlockBytes;
  b.Binary1 = s.Binary1;
  b.Binary2 = s.Binary2;
  b.Binary1Color = s.Binary1Color;
  b.Binary2Color = s.Binary2Color;
  b.MarkedPosColor = s.MarkedPosColor;
  b.AddressLineTextColor = s.AddressLineTextColor;
  b.AddressLineBackColor = s.AddressLineBackColor;
  b.StrCodeType = s.StrCodeType;
  b.Ignore8bitCode = s.Ignore8bitCode;
  b.DummyCharFor8bit = s.DummyCharFor8bit;
  b.DrawUnderLine = s.DrawUnderLine;
  b.CursorUnderLineColor = s.CursorUnderLineColor;
  b.DrawUnderCaret = s.DrawUnderCaret;
  b.UnderCaretColor = s.UnderCaretColor;
  b.OnlyOppositePart = s.OnlyOppositePart;
  b.OneRasterLow = s.OneRasterLow;
  b.ParallelView = s.ParallelView;
  b.LeftMarginLM = s.LeftMarginLM;
  b.TopMarginLM = s.TopMarginLM;
  return b.Normalized();
}

bool WriteOneKey(const char* key, const std::string& value) {
  ProfileFile file;
  file.Load(SettingsFilePath());
  file.WriteString(kSettingsSection, key, value);
  return file.Save();
}

}  // namespace

void ReadSettings() {
  ProfileFile file;
  file.Load(SettingsFilePath());
  AppSettings read;
  for (const SettingKey& key : SettingKeys()) ReadSettingKey(key, file, read);
  read.HasWindowPos = ParseWindowPos(file.GetString(kSettingsSection, "WindowPos"), read.WindowPos);
  gSettings = std::move(read);
  SetDocumentLimits(gSettings.MaxEditRange);
  gBinarySettings = BinaryViewValues(gSettings);
}

bool WriteSettings() {
  ProfileFile file;
  file.Load(SettingsFilePath());
  for (const SettingKey& key : SettingKeys()) WriteSettingKey(key, file, gSettings);
  return file.Save();
}

bool SettingsWritable() {
  FileSystem* files = Platform().files;
  const std::string path = SettingsFilePath();
  if (!files || path.empty()) return false;
  // A file that exists but cannot be read is never written over.
  ProfileFile file;
  if (!file.Load(path) && files->exists(path)) return false;
  // A replacing file dropped unclosed leaves everything as it was.
  return files->createReplacing(path) != nullptr;
}

int ReadMultiInstanceSetting() {
  ProfileFile file;
  file.Load(SettingsFilePath());
  return file.GetInt(kSettingsSection, "MultiInstance", 1);
}

bool WriteMultiInstance() { return WriteOneKey("MultiInstance", std::to_string(gSettings.MultiInstance)); }

bool WriteWindowPos(const WindowPlacement& placement, bool maximized) {
  gSettings.WindowPos = placement;
  gSettings.WindowPos.flags = maximized ? kRestoreToMaximized : 0;
  gSettings.HasWindowPos = true;
  return WriteOneKey("WindowPos", FormatWindowPos(gSettings.WindowPos));
}

void PackDirectories(std::array<std::string, 4>& directories) {
  std::size_t filled = 0;
  for (std::size_t i = 0; i < directories.size(); ++i) {
    if (directories[i].empty()) continue;
    if (i != filled) {
      directories[filled] = std::move(directories[i]);
      directories[i].clear();
    }
    ++filled;
  }
}

std::string DefaultCabinetPath() {
  const std::string program = ProgramPath();
  if (program.empty() || program.size() >= 251) return {};
  std::size_t cut = 0;
  for (std::size_t i = program.size() >= 5 ? program.size() - 5 : 0;; --i) {
    if (program[i] == '/') {
      cut = i + 1;
      break;
    }
    if (i == 0) break;
  }
  return program.substr(0, cut) + "quarn.cab";
}

}  // namespace quarn
