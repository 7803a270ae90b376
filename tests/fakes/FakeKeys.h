// The saved operations as the key table sees them, in memory: a list of
// names and a record of the operations played; and the customisation sheet
// answering from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/keys/OperationLinks.h"
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

// Installed for its lifetime. The sheet runs the next script, which acts on
// the request as the user would and answers true for OK (no script: Cancel).
struct FakeKeyDialogs : KeyDialogService {
  FakeKeyDialogs() { KeyDialogs() = this; }
  ~FakeKeyDialogs() override { KeyDialogs() = nullptr; }
  bool customiseSheet(CustomiseSheetRequest& request) override {
    ++shown;
    if (script.empty()) return false;
    auto step = std::move(script.front());
    script.pop_front();
    return step(request);
  }
  std::deque<std::function<bool(CustomiseSheetRequest&)>> script;
  int shown = 0;
};

}  // namespace quarn::fakes
