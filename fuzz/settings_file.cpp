// The settings file: read as a profile, every key of the settings table
// taken from it, written back and read again. The file's text survives a
// read untouched, and what was read survives being written.
#include "FuzzInput.h"
#include "core/common/ProfileFile.h"
#include "core/common/SettingsTable.h"
#include "core/common/WindowPos.h"
#include "fakes/FakePlatform.h"

using namespace quarn;

namespace {

AppSettings ReadAll(const ProfileFile& file) {
  AppSettings settings;
  for (const SettingKey& key : SettingKeys()) ReadSettingKey(key, file, settings);
  settings.HasWindowPos = ParseWindowPos(file.GetString(kSettingsSection, "WindowPos"), settings.WindowPos);
  return settings;
}

// A value is written up to its first CR, LF or NUL, which a line cannot hold.
std::string Writable(const std::string& value) {
  return value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
}

// Two sets agree on every key of the table and on the window placement.
bool Same(const AppSettings& a, const AppSettings& b) {
  for (const SettingKey& key : SettingKeys()) {
    switch (key.type) {
      case SettingKey::Type::kInt:
        if (a.*key.intValue != b.*key.intValue) return false;
        break;
      case SettingKey::Type::kColor:
        if (a.*key.colorValue != b.*key.colorValue) return false;
        break;
      case SettingKey::Type::kText:
        if (Writable(a.*key.textValue) != Writable(b.*key.textValue)) return false;
        break;
      case SettingKey::Type::kCompound: {
        ProfileFile fa, fb;
        key.write(fa, a);
        key.write(fb, b);
        if (fa.Text() != fb.Text()) return false;
      }
    }
  }
  return a.HasWindowPos == b.HasWindowPos &&
         (!a.HasWindowPos || FormatWindowPos(a.WindowPos) == FormatWindowPos(b.WindowPos));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fakes::FakePlatform platform;  // a bad tab list beeps
  platform.beep.beeps.clear();
  const std::string text(reinterpret_cast<const char*>(data), size);
  ProfileFile file;
  file.Parse(text);
  fuzz::Check(file.Text() == text, "a profile read keeps its text");

  const AppSettings first = ReadAll(file);
  for (const SettingKey& key : SettingKeys()) WriteSettingKey(key, file, first);
  if (first.HasWindowPos) file.WriteString(kSettingsSection, "WindowPos", FormatWindowPos(first.WindowPos));
  ProfileFile reread;
  reread.Parse(file.Text());
  AppSettings second = ReadAll(reread);
  second.UsedCount = first.UsedCount;  // counts one more start at every read
  // An invalid tab list reads as no positions and is written empty, which
  // the next start reads as the default positions.
  if (first.TabPosition.count == 0) second.TabPosition = first.TabPosition;
  fuzz::Check(Same(first, second), "written settings read back the same");
  return 0;
}
