#include "core/app/RecentFileList.h"

#include <algorithm>

#include "core/common/ProfileFile.h"

namespace quarn {

void RecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > kSize) entries_.resize(kSize);
}

void RecentFileList::Remove(std::size_t index) {
  if (index < entries_.size()) entries_.erase(entries_.begin() + std::ptrdiff_t(index));
}

void RecentFileList::Assign(const std::vector<std::string>& entries) {
  entries_.clear();
  for (const std::string& entry : entries) {
    if (entry.empty() || entries_.size() == kSize) continue;
    if (std::find(entries_.begin(), entries_.end(), entry) == entries_.end()) entries_.push_back(entry);
  }
}

void RecentFileList::Load(const ProfileFile& profile) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < kSize; ++i) entries.push_back(profile.GetString(kSection, KeyOf(i)));
  Assign(entries);
}

void RecentFileList::Save(ProfileFile& profile) const {
  // A name the file cannot hold would come back as another file's name: it
  // stays in the menu of this run only.
  std::vector<std::string> stored;
  for (const std::string& entry : entries_)
    if (ProfileFile::CanHold(entry)) stored.push_back(entry);
  for (std::size_t i = 0; i < kSize; ++i) {
    const std::string value = i < stored.size() ? stored[i] : std::string();
    if (i < stored.size() || profile.Has(kSection, KeyOf(i))) profile.WriteString(kSection, KeyOf(i), value);
  }
}

}  // namespace quarn
