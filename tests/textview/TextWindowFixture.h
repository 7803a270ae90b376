// A text window over a text document on a recording host, with a 16-pixel
// font of 8-pixel cells and no margins, for the text window's tests.
#pragma once

#include "binaryview/BinaryWindowFixture.h"
#include "core/common/Settings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/macro/OperationRecorder.h"
#include "core/textview/CVeskEV.h"
#include "fakes/FakeClipboard.h"

namespace quarn::testing {

// The recording host with 100 columns and 10 rows that also counts immediate paints and scrolls and
// keeps the timers, the caret's width and the pointer.
class TextHost : public RecordingHost {
 public:
  TextHost() { client = {800, 160}; }
  void update() override { ++updates; }
  void scrollWindow(int, int, const Rect*) override { ++updates; }
  void createCaret(int width, int) override { caretWidth = width; }
  void setTimer(int id, int) override { timers[id] = true; }
  void killTimer(int id) override { timers[id] = false; }
  Point cursorPos() const override { return pointer; }

  Point pointer;
  int caretWidth = 0;
  int updates = 0;
  std::map<int, bool> timers;
};

struct Recorded {
  std::uint32_t type, id;
  std::vector<std::uint8_t> data;
};

class TextWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = gSettings;
    gSettings.LeftMarginLM = gSettings.TopMarginLM = 0;
    gCabinet.ResetToType(kDocTypeGeneral);
    SetRecordSink([this](std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) {
      records.push_back({type, id, data});
    });
  }
  void TearDown() override {
    SetRecordSink({});
    gSettings = saved_;
    gCabinet.ResetToType(kDocTypeGeneral);
  }
  // width columns per row, tab columns, free cursor.
  void Open(const std::string& text, int width = 20, int tab = 4, bool free = false) {
    gCabinet.Current().record.FreeCursor = free ? 1 : 0;
    gProcess.nextDocKind = kTextDoc;
    doc = std::make_unique<CVeskDoc>();
    doc->Format().charsPerLine = width;
    doc->Format().tabColumns = tab;
    doc->InsertText(0, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
    window = std::make_unique<CVeskEV>(*doc, host);
    TextMetric tm;
    tm.height = 16;
    tm.aveCharWidth = 8;
    window->SetScreenFont(LogFont{}, tm);
    window->OnCreate();
    window->OnSetFocus();
    records.clear();
  }
  std::string Text() {
    std::string out(doc->TextLength(), '\0');
    if (!out.empty()) doc->Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc->TextLength());
    return out;
  }
  void Key(int vk, bool shift = false, bool control = false) { window->OnKeyDown(vk, 1, KeyState{shift, control}); }
  // A drag with the left button from one cell to another; Ctrl makes a box.
  void Drag(TextCell from, TextCell to, bool control = false) {
    window->OnMouse(MouseKind::kLeftDown, from.column * 8, int(from.row) * 16, KeyState{false, control});
    window->OnMouse(MouseKind::kMove, to.column * 8, int(to.row) * 16, KeyState{});
    window->OnMouse(MouseKind::kLeftUp, to.column * 8, int(to.row) * 16, KeyState{});
  }
  // Fifty lines "line".
  static std::string FiftyLines() {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "line\r\n";
    return text;
  }

  fakes::FakePlatform platform;
  fakes::FakeClipboard clipboard;
  TextHost host;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskEV> window;
  std::vector<Recorded> records;

 private:
  AppSettings saved_;
};

}  // namespace quarn::testing
