// Document frames with a real view and a real text or binary window each, on
// fake hosts; the frame host's active view is the active frame's.
#pragma once

#include <map>
#include <memory>

#include "binaryview/BinaryWindowFixture.h"
#include "core/app/CMainFrame.h"
#include "core/binaryview/CVeskBV.h"
#include "core/textview/CVeskEV.h"
#include "core/view/CVeskView.h"
#include "fakes/FakeCabinet.h"
#include "textview/TextWindowFixture.h"

namespace quarn::fakes {

struct FakeWindowFrames : FakeCabinetFrames, MainFrameHost {
  bool CreateFrame(CVeskDoc& doc) override {
    FakeCabinetFrames::CreateFrame(doc);
    auto start = [](auto& window) {
      window->SetScreenFont(LogFont{}, TextMetric{.height = 16, .aveCharWidth = 8});
      window->OnCreate();
      return window.get();
    };
    if (doc.DocKind() == kBinaryDoc)
      frames[&doc].view->AttachBinaryWindow(start(binaries[&doc] = std::make_unique<CVeskBV>(doc, binaryHost)));
    else
      frames[&doc].view->AttachTextWindow(start(texts[&doc] = std::make_unique<CVeskEV>(doc, textHost)));
    return true;
  }
  void DestroyFrame(CVeskDoc& doc) override {
    texts.erase(&doc);
    binaries.erase(&doc);
    FakeCabinetFrames::DestroyFrame(doc);
  }
  CVeskView* ActiveView() override { return active ? frames[active].view.get() : nullptr; }
  void CloseMainWindow() override {}
  void MenusChanged() override {}
  CommonSettingsEffects* SettingsEffects() override { return effects; }

  testing::TextHost textHost;
  testing::RecordingHost binaryHost;
  std::map<CVeskDoc*, std::unique_ptr<CVeskEV>> texts;
  std::map<CVeskDoc*, std::unique_ptr<CVeskBV>> binaries;
  CommonSettingsEffects* effects = nullptr;
};

}  // namespace quarn::fakes
