// The recent-file list of the File menu: the last four documents opened or
// saved under a name, newest first. It lives in the settings file in the
// section "Recent File List" as "File1" to "File4".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quarn {

class ProfileFile;

class RecentFileList {
 public:
  static constexpr std::size_t kSize = 4;
  static constexpr const char* kSection = "Recent File List";

  // Puts path at the top; an entry of the same path moves up instead of
  // appearing twice, and the oldest falls off the end.
  void Add(const std::string& path);
  void Remove(std::size_t index);
  // The entries as read from the settings; empty ones are dropped.
  void Assign(const std::vector<std::string>& entries);

  // Reads and writes the section of the settings file; writing keeps the
  // keys of entries that are gone as empty values, so an emptied list stays
  // empty next time.
  void Load(const ProfileFile& profile);
  void Save(ProfileFile& profile) const;

  std::size_t Count() const { return entries_.size(); }
  const std::string& At(std::size_t index) const { return entries_[index]; }
  const std::vector<std::string>& Entries() const { return entries_; }
  // The settings key of entry index (0-based): "File1" ...
  static std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

 private:
  std::vector<std::string> entries_;
};

}  // namespace quarn
