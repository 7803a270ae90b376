// The saved operations' surroundings in memory: scripted save and load
// dialogs, a key table that remembers operation keys, and a directory
// lister over the fake file system.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "core/keys/KeyNames.h"
#include "core/keys/OperationLinks.h"
#include "fakes/FakePlatform.h"
#include "platform/DirectoryList.h"
#include "platform/OperationDialogs.h"

namespace quarn::fakes {

// Each script edits the request as the user would and answers true for OK;
// a refused OK runs the next script; no script left cancels.
class FakeOperationDialogs : public OperationDialogService {
 public:
  FakeOperationDialogs() : saved_(std::exchange(OperationDialogs(), this)) {}
  ~FakeOperationDialogs() override { OperationDialogs() = saved_; }

  bool recordDialog(RecordDialogRequest& request) override {
    ++recordShown;
    while (!recordScript.empty()) {
      auto step = std::move(recordScript.front());
      recordScript.pop_front();
      bool focusName = false;
      if (step(request) && request.accept(request, focusName)) return true;
    }
    return false;
  }
  // The load dialog: the script returns the button pressed; its request
  // shows what the dialog was given.
  PlayDialogAnswer playDialog(PlayDialogRequest& request) override {
    shownNames = request.names;
    while (!playScript.empty()) {
      auto step = std::move(playScript.front());
      playScript.pop_front();
      const PlayDialogAnswer answer = step(request);
      if (answer != PlayDialogAnswer::kOk || request.accept(request.name)) return answer;
    }
    return PlayDialogAnswer::kCancel;
  }

  std::deque<std::function<bool(RecordDialogRequest&)>> recordScript;
  std::deque<std::function<PlayDialogAnswer(PlayDialogRequest&)>> playScript;
  std::vector<std::string> shownNames;
  int recordShown = 0;

 private:
  OperationDialogService* saved_;
};

class FakeOperationKeys : public OperationKeys {
 public:
  FakeOperationKeys() : saved_(InstalledOperationKeys()) { InstallOperationKeys(this); }
  ~FakeOperationKeys() override { InstallOperationKeys(saved_); }

  void PurgeOperationKeys() override { ++purged; }
  void RemoveOperationKeys(const std::string& name) override {
    std::erase_if(keys, [&](const auto& k) { return std::get<2>(k) == name; });
  }
  bool AddOperationKey(int key, int modifiers, const std::string& name) override {
    if (refuse) return false;
    keys.emplace_back(key, modifiers, name);
    return true;
  }
  void SaveKeys() override { ++saved; }
  std::string OperationKeyName(const std::string& name) const override {
    for (const auto& [key, modifiers, n] : keys)
      if (n == name) return keys::NameOfKeyCode(key);
    return {};
  }

  std::vector<std::tuple<int, int, std::string>> keys;
  bool refuse = false;
  int purged = 0;
  int saved = 0;

 private:
  OperationKeys* saved_;
};

// Lists the files of the fake file system directly in a directory, in
// name order.
class FakeLister : public DirectoryLister {
 public:
  explicit FakeLister(FakeFileSystem& files) : files_(files), saved_(std::exchange(Directories(), this)) {}
  ~FakeLister() override { Directories() = saved_; }
  bool list(const std::string& directory, std::vector<DirectoryEntry>& out) override {
    for (const auto& [path, bytes] : files_.files)
      if (path.size() > directory.size() && path.compare(0, directory.size(), directory) == 0 &&
          path.find('/', directory.size()) == std::string::npos)
        out.push_back({path.substr(directory.size()), DirectoryEntry::kRegular, 0, 0});
    return true;
  }

 private:
  FakeFileSystem& files_;
  DirectoryLister* saved_;
};

}  // namespace quarn::fakes
