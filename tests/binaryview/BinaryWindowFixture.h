// A binary window over a document of given bytes, with the 16-pixel screen
// font the editing and search tests lay their cells out with.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BinaryTestSupport.h"
#include "core/binaryview/CVeskBV.h"
#include "fakes/FakePlatform.h"

namespace quarn::testing {

class BinaryWindowFixture : public ::testing::Test {
 protected:
  void Open(const std::string& bytes) {
    doc = MakeBinaryDoc(Bytes(bytes));
    window = std::make_unique<CVeskBV>(*doc, host, settings);
    TextMetric tm;
    tm.height = 16;
    tm.aveCharWidth = 8;
    LogFont font;
    font.height = -16;
    window->SetScreenFont(font, tm);
    window->OnCreate();
    window->OnSetFocus();
  }
  // The document's bytes.
  std::string Text() {
    std::string out(doc->TextLength(), '\0');
    if (!out.empty()) doc->Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc->TextLength());
    return out;
  }

  fakes::FakePlatform platform;
  BinaryViewSettings settings;
  RecordingHost host;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskBV> window;
};

}  // namespace quarn::testing
