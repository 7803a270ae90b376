// The keys of the section "Settings" in the order they are read and
// written, each bound to its value in AppSettings. Defaults are the in-class
// values of AppSettings; a value outside [low, high] reads as its default.
#pragma once

#include <climits>
#include <span>

#include "core/common/ProfileFile.h"
#include "core/common/Settings.h"

namespace quarn {

struct SettingKey {
  enum class Type { kInt, kColor, kText, kCompound };

  const char* name;
  Type type;
  int AppSettings::*intValue = nullptr;
  ColorRef AppSettings::*colorValue = nullptr;
  std::string AppSettings::*textValue = nullptr;
  int low = INT_MIN;
  int high = INT_MAX;
  bool written = true;  // false: only read, never written back
  // For kCompound: reads and writes the key with its own rules.
  void (*read)(const ProfileFile&, AppSettings&) = nullptr;
  void (*write)(ProfileFile&, const AppSettings&) = nullptr;
};

std::span<const SettingKey> SettingKeys();

// Reads one key into settings (range check included) / writes it.
void ReadSettingKey(const SettingKey& key, const ProfileFile& file, AppSettings& settings);
void WriteSettingKey(const SettingKey& key, ProfileFile& file, const AppSettings& settings);

}  // namespace quarn
