// The saved operations' surroundings in memory: scripted save and load
// dialogs and a key table that remembers operation keys.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "core/keys/KeyNames.h"
#include "core/keys/OperationLinks.h"
#include "fakes/FakeGlobalFind.h"
#include "platform/OperationDialogs.h"

namespace quarn::fakes {

// The save dialog runs its script until its request accepts an OK.
class FakeOperationDialogs : public OperationDialogService {
 public:
  bool recordDialog(RecordDialogRequest& request) override {
    return RunScript(recordScript, request, [](auto& r) {
      bool focusName = false;
      return r.accept(r, focusName);
    });
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

 private:
  Installed<OperationDialogService> installed_{OperationDialogs(), this};
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
  int purged = 0;
  int saved = 0;

 private:
  OperationKeys* saved_;
};

}  // namespace quarn::fakes
