// The text tools' dialogs answering from scripts; a dialog with an accept
// check stays open while it refuses.
#pragma once

#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/ToolDialogs.h"

namespace quarn::fakes {

struct FakeToolDialogs : ToolDialogService {
  bool extractSheet(ExtractSheetRequest& r) override {
    ++shownSheets;
    return RunScript(sheets, r);
  }
  void extractResult(const ExtractResultValues& v) override { results.push_back(v); }
  bool freeConversion(FreeConvRequest& r) override {
    return RunScript(conversions, r, [this](auto& request) { return (focusRow = request.accept(request)) < 0; });
  }
  bool formDialog(FormRequest& r) override {
    return RunScript(forms, r, [](auto& request) { return request.accept(request); });
  }
  bool compareDialog(CompareRequest& r) override {
    ++shownCompares;
    return RunScript(compares, r);
  }

  std::deque<std::function<bool(ExtractSheetRequest&)>> sheets;
  std::deque<std::function<bool(FreeConvRequest&)>> conversions;
  std::deque<std::function<bool(FormRequest&)>> forms;
  std::deque<std::function<bool(CompareRequest&)>> compares;
  std::vector<ExtractResultValues> results;
  int shownSheets = 0, shownCompares = 0;
  int focusRow = -1;
};

}  // namespace quarn::fakes
