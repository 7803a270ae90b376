// The keys of "Settings" that are more than a value with a range: the
// current cabinet path, the start counter, the four directories, the tab
// position list and the tab bar height.
#pragma once

#include "core/common/ProfileFile.h"
#include "core/common/Settings.h"

namespace quarn::compound {

void ReadCabinetName(const ProfileFile& file, AppSettings& settings);
void WriteCabinetName(ProfileFile& file, const AppSettings& settings);
void ReadUsedCount(const ProfileFile& file, AppSettings& settings);
void WriteUsedCount(ProfileFile& file, const AppSettings& settings);
void ReadDirectories(const ProfileFile& file, AppSettings& settings);
void WriteDirectories(ProfileFile& file, const AppSettings& settings);
// An invalid list is dropped with the warning beep of settings.BeepSoundType.
void ReadTabPosition(const ProfileFile& file, AppSettings& settings);
void WriteTabPosition(ProfileFile& file, const AppSettings& settings);
void ReadTabBarHeightAdjust(const ProfileFile& file, AppSettings& settings);
void WriteTabBarHeightAdjust(ProfileFile& file, const AppSettings& settings);

}  // namespace quarn::compound
