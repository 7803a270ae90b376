// A view's surroundings without a frame: a placer that places nothing and a
// replay target that sends every command to the view.
#pragma once

#include "core/commands/CommandCatalogue.h"
#include "core/view/CVeskView.h"

namespace quarn::fakes {

struct NoPlacer : ChildPlacer {
  void MoveChild(ViewChild, const Rect&) override {}
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild) override {}
};

struct ViewTarget : ReplayTarget {
  void SendFrameCommand(unsigned id) override { view->OnCommand(id); }
  RecordReplayer* ReplayView() override { return view; }
  CVeskView* view = nullptr;
};

}  // namespace quarn::fakes
