#include "core/app/RecentFileList.h"

#include <algorithm>

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

}  // namespace quarn
