// The saved operations as the key table sees them (names listed, operations
// played) and the customisation sheet answering from a script, in memory.
#pragma once

#include <string>
#include <vector>

#include "core/keys/OperationLinks.h"
#include "fakes/FakePlatform.h"
#include "platform/KeyDialogs.h"

namespace quarn::fakes {

// Installed for its lifetime.
struct FakeOperationLibrary : OperationLibrary {
  FakeOperationLibrary() { InstallOperationLibrary(this); }
  ~FakeOperationLibrary() override { InstallOperationLibrary(nullptr); }
  std::vector<std::string> ReadOperationList() override { return names; }
  void PlayOperation(const std::string& name) override { played.push_back(name); }
  bool ListComplete() const override { return complete; }

  std::vector<std::string> names;
  bool complete = true;
  std::vector<std::string> played;
};

// Installed for its lifetime; no step left in the script is Cancel.
struct FakeKeyDialogs : KeyDialogService {
  bool customiseSheet(CustomiseSheetRequest& request) override {
    ++shown;
    return RunScript(script, request);
  }
  std::deque<std::function<bool(CustomiseSheetRequest&)>> script;
  int shown = 0;
  Installed<KeyDialogService> installed{KeyDialogs(), this};
};

}  // namespace quarn::fakes
