// The main frame's side of the cabinet and the cabinet dialogs, in memory:
// frames that remember their placement, show command and activation, with
// a real view per document; dialogs that answer from scripts.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/app/DocTemplate.h"
#include "core/app/CabinetFrames.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeViewParts.h"
#include "platform/CabinetDialogService.h"

namespace quarn::fakes {

struct FakeCabinetFrames : FrameFactory, NoPlacer, CabinetFrames {
  struct Frame {
    std::unique_ptr<CVeskView> view;
    WindowPlacement placement;
    std::uint32_t shown = 0;  // the last show command
    bool maximized = false;
  };
  bool CreateFrame(CVeskDoc& doc) override {
    frames[&doc].view = std::make_unique<CVeskView>(doc, *this);
    active = &doc;
    return true;
  }
  void ActivateFrame(CVeskDoc& doc) override { active = &doc; }
  void DestroyFrame(CVeskDoc& doc) override {
    frames.erase(&doc);
    if (active == &doc) active = nullptr;
  }

  WindowPlacement Placement(CVeskDoc& doc) override { return frames[&doc].placement; }
  void SetPlacement(CVeskDoc& doc, const WindowPlacement& p) override { frames[&doc].placement = p; }
  void Show(CVeskDoc& doc, std::uint32_t showCmd) override { frames[&doc].shown = showCmd; }
  bool IsActive(CVeskDoc& doc) override { return active == &doc; }
  void Activate(CVeskDoc& doc) override {
    active = &doc;
    activations.push_back(&doc);
  }
  void Maximize(CVeskDoc& doc) override { frames[&doc].maximized = true; }
  void SetCaption() override { ++captions; }
  void RelayoutAll() override {}

  std::map<CVeskDoc*, Frame> frames;
  CVeskDoc* active = nullptr;
  std::vector<CVeskDoc*> activations;
  int captions = 0;
};

// Each dialog runs its script; the new-cabinet dialog's accept check can refuse an OK.
struct FakeCabinetDialogs : CabinetDialogService {
  bool cabCreateDialog(CabCreateRequest& request) override {
    ++createShown;
    return RunScript(createScript, request, [](auto& r) { return !r.accept || r.accept(r); });
  }
  bool cabinetSheet(CabinetSheetRequest& request) override { return RunScript(sheetScript, request); }
  bool fontDialog(FontRequest& request) override { return RunScript(fontScript, request); }
  bool chooseColor(ColorRequest& request) override { return RunScript(colorScript, request); }

  std::deque<std::function<bool(CabCreateRequest&)>> createScript;
  std::deque<std::function<bool(CabinetSheetRequest&)>> sheetScript;
  std::deque<std::function<bool(FontRequest&)>> fontScript;
  std::deque<std::function<bool(ColorRequest&)>> colorScript;
  int createShown = 0;
};

}  // namespace quarn::fakes
