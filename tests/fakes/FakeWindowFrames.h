// Document frames with a real view and a real text or binary window each,
// made on fake hosts; the frame host's active view is the active frame's.
// Shared by the tests that run whole frame commands.
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
    TextMetric tm;
    tm.height = 16;
    tm.aveCharWidth = 8;
    if (doc.DocKind() == kBinaryDoc) {
      auto& window = binaries[&doc] = std::make_unique<CVeskBV>(doc, binaryHost);
      window->SetScreenFont(LogFont{}, tm);
      window->OnCreate();
      frames[&doc].view->AttachBinaryWindow(window.get());
      return true;
    }
    auto& window = texts[&doc] = std::make_unique<CVeskEV>(doc, textHost);
    window->SetScreenFont(LogFont{}, tm);
    window->OnCreate();
    frames[&doc].view->AttachTextWindow(window.get());
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

  testing::TextHost textHost;
  testing::RecordingHost binaryHost;
  std::map<CVeskDoc*, std::unique_ptr<CVeskEV>> texts;
  std::map<CVeskDoc*, std::unique_ptr<CVeskBV>> binaries;
};

}  // namespace quarn::fakes
