#include "core/common/CompoundSettings.h"

#include "core/common/TabPositions.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"

namespace quarn::compound {
namespace {

std::string DirectoryKey(std::size_t index) { return "FrequentlyUsedDirectory" + std::to_string(index + 1); }

bool IsCabinetFile(const std::string& path) {
  FileSystem* fs = Platform().files;
  return fs && fs->exists(path) && !fs->isDirectory(path);
}

}  // namespace

// A stored cabinet is kept only when the user did not ask for the default
// one and the file is still there.
void ReadCabinetName(const ProfileFile& file, AppSettings& settings) {
  std::string name = file.GetString(kSettingsSection, "CabinetName");
  settings.CabinetName =
      (!name.empty() && settings.InitialCabinet == 0 && IsCabinetFile(name)) ? name : DefaultCabinetPath();
}

void WriteCabinetName(ProfileFile& file, const AppSettings& settings) {
  file.WriteString(kSettingsSection, "CabinetName", settings.CabinetName);
}

void ReadUsedCount(const ProfileFile& file, AppSettings& settings) {
  settings.UsedCount = int(unsigned(file.GetInt(kSettingsSection, "UsedCount", 0)) + 1u);
}

void WriteUsedCount(ProfileFile& file, const AppSettings& settings) {
  file.WriteInt(kSettingsSection, "UsedCount", settings.UsedCount);
}

void ReadDirectories(const ProfileFile& file, AppSettings& settings) {
  for (std::size_t i = 0; i < settings.FrequentlyUsedDirectory.size(); ++i)
    settings.FrequentlyUsedDirectory[i] = file.GetString(kSettingsSection, DirectoryKey(i));
  PackDirectories(settings.FrequentlyUsedDirectory);
}

void WriteDirectories(ProfileFile& file, const AppSettings& settings) {
  for (std::size_t i = 0; i < settings.FrequentlyUsedDirectory.size(); ++i)
    file.WriteString(kSettingsSection, DirectoryKey(i), settings.FrequentlyUsedDirectory[i]);
}

void ReadTabPosition(const ProfileFile& file, AppSettings& settings) {
  if (ParseTabPositions(file.GetString(kSettingsSection, "TabPosition"), settings.TabPosition)) return;
  if (BeepService* beep = Platform().beep) beep->messageBeep(unsigned(settings.BeepSoundType));
}

void WriteTabPosition(ProfileFile& file, const AppSettings& settings) {
  file.WriteString(kSettingsSection, "TabPosition", FormatTabPositions(settings.TabPosition));
}

// Without button-style tabs the bar has no extra height.
void ReadTabBarHeightAdjust(const ProfileFile& file, AppSettings& settings) {
  int value = file.GetInt(kSettingsSection, "TabBarHeightAdjust", 2);
  if (value < 1 || value > 10) value = 2;
  settings.TabBarHeightAdjust = settings.ButtonStyleTabBar == 0 ? 0 : value;
}

void WriteTabBarHeightAdjust(ProfileFile& file, const AppSettings& settings) {
  file.WriteInt(kSettingsSection, "TabBarHeightAdjust", settings.TabBarHeightAdjust);
}

}  // namespace quarn::compound
