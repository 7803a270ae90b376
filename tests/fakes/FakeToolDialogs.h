// The text tools' dialogs answering from scripts: each dialog runs the next
// script of its kind (none left: Cancel). A dialog with an accept check
// stays open while it refuses, taking the next script then.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/ToolDialogs.h"

namespace quarn::fakes {

struct FakeToolDialogs : ToolDialogService {
  bool extractSheet(ExtractSheetRequest& r) override { return Run(sheets, r, shownSheets); }
  void extractResult(const ExtractResultValues& v) override { results.push_back(v); }
  bool freeConversion(FreeConvRequest& r) override {
    ++shownConversions;
    while (!conversions.empty()) {
      auto script = std::move(conversions.front());
      conversions.pop_front();
      if (!script(r)) return false;
      focusRow = r.accept(r);
      if (focusRow < 0) return true;
    }
    return false;
  }
  bool formDialog(FormRequest& r) override {
    ++shownForms;
    while (!forms.empty()) {
      auto script = std::move(forms.front());
      forms.pop_front();
      if (!script(r)) return false;
      if (r.accept(r)) return true;
    }
    return false;
  }
  bool compareDialog(CompareRequest& r) override { return Run(compares, r, shownCompares); }

  template <typename R>
  static bool Run(std::deque<std::function<bool(R&)>>& script, R& request, int& shown) {
    ++shown;
    if (script.empty()) return false;
    auto next = std::move(script.front());
    script.pop_front();
    return next(request);
  }

  std::deque<std::function<bool(ExtractSheetRequest&)>> sheets;
  std::deque<std::function<bool(FreeConvRequest&)>> conversions;
  std::deque<std::function<bool(FormRequest&)>> forms;
  std::deque<std::function<bool(CompareRequest&)>> compares;
  std::vector<ExtractResultValues> results;
  int shownSheets = 0, shownConversions = 0, shownForms = 0, shownCompares = 0;
  int focusRow = -1;
};

}  // namespace quarn::fakes
