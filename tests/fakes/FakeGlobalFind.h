// The global find's platform in memory: a directory lister over the fake
// file system, and a dialog that answers from scripts.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/DirectoryList.h"
#include "platform/GlobalFindDialogs.h"

namespace quarn::fakes {

// Lists the fake file system's files and directories directly in one of its
// directories, in name order; installed for its lifetime.
class FakeLister : public DirectoryLister {
 public:
  explicit FakeLister(FakeFileSystem& fs) : fs_(fs) {}
  bool list(const std::string& dir, std::vector<DirectoryEntry>& out) override {
    if (!fs_.directories.count(dir.substr(0, dir.size() - 1))) return false;
    auto child = [&](const std::string& path) {
      return path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0 &&
             path.find('/', dir.size()) == std::string::npos;
    };
    for (const auto& [path, bytes] : fs_.files)
      if (child(path)) out.push_back({path.substr(dir.size()), DirectoryEntry::kRegular, 0, 0});
    for (const std::string& d : fs_.directories)
      if (child(d)) out.push_back({d.substr(dir.size()), DirectoryEntry::kDirectory, 0, std::hash<std::string>()(d)});
    std::sort(out.begin(), out.end(), [](auto& a, auto& b) { return a.name < b.name; });
    return true;
  }
  bool identify(const std::string& dir, std::uint64_t& device, std::uint64_t& inode) override {
    const std::string d = dir.substr(0, dir.size() - 1);
    device = 0;
    inode = std::hash<std::string>()(d);
    return fs_.directories.count(d) > 0;
  }

 private:
  FakeFileSystem& fs_;
  Installed<DirectoryLister> installed_{Directories(), this};
};

struct FakeGlobalFindDialogs : GlobalFindDialogService {
  bool globalFindDialog(GlobalFindDialogRequest& request) override {
    ++shown;
    shownRequest = request;
    return RunScript(script, request, [](auto& r) { return !r.accept || r.accept(r); });
  }

  std::deque<std::function<bool(GlobalFindDialogRequest&)>> script;
  GlobalFindDialogRequest shownRequest;
  int shown = 0;
};

}  // namespace quarn::fakes
