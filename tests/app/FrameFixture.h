// The main frame over document frames with real windows, on the text window's fixture.
#pragma once

#include <string>

#include "SettingsTestSupport.h"
#include "core/app/CMainFrame.h"
#include "core/app/DocTemplate.h"
#include "fakes/FakeWindowFrames.h"
#include "textview/TextWindowFixture.h"

namespace quarn {

// Frames that can refuse to be made; they count the main window's closes.
struct AppFrames : fakes::FakeWindowFrames {
  bool CreateFrame(CVeskDoc& doc) override { return !fail && FakeWindowFrames::CreateFrame(doc); }
  void CloseMainWindow() override { ++closes; }
  bool fail = false;
  int closes = 0;
};

class FrameFixture : public testing::TextWindowFixture {
 protected:
  void SetUp() override {
    TextWindowFixture::SetUp();
    documents.SetFrameFactory(&frames);
  }
  void TearDown() override {
    documents.CloseAll();
    TextWindowFixture::TearDown();
  }
  static std::string TextOf(CVeskDoc& doc) {
    std::string out(doc.TextLength(), '\0');
    if (!out.empty()) doc.Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc.TextLength());
    return out;
  }
  bool Enabled(unsigned id) {
    CommandState state;
    frame.OnUpdateCommand(id, state);
    return state.enabled;
  }
  AppFrames frames;
  DocTemplate documents;
  CMainFrame frame{documents, frames};
};

}  // namespace quarn
