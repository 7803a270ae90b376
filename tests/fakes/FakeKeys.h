// The saved operations as the key table sees them, in memory: a list of
// names and a record of the operations played.
#pragma once

#include <string>
#include <vector>

#include "core/macro/OperationLinks.h"

namespace quarn::fakes {

// Installed for its lifetime.
struct FakeOperationLibrary : OperationLibrary {
  FakeOperationLibrary() { InstallOperationLibrary(this); }
  ~FakeOperationLibrary() override { InstallOperationLibrary(nullptr); }
  std::vector<std::string> ReadOperationList() override { return names; }
  void PlayOperation(const std::string& name) override { played.push_back(name); }

  std::vector<std::string> names;
  std::vector<std::string> played;
};

}  // namespace quarn::fakes
