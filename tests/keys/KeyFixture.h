// The key table's tests share a fake platform whose program directory is
// "/prog", a fresh table, and frames that record the update hints a new
// document is sent.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/app/DocTemplate.h"
#include "core/document/CVeskDoc.h"
#include "core/keys/CAccTblManeger.h"
#include "fakes/FakePlatform.h"

namespace quarn {

constexpr char kKeyFile[] = "/prog/quarn.key";

// Frames whose document records the update hints it is sent.
struct HintFrames : FrameFactory, DocumentView {
  bool CreateFrame(CVeskDoc& doc) override {
    doc.AddView(this);
    return !refuse;
  }
  void ActivateFrame(CVeskDoc&) override {}
  void DestroyFrame(CVeskDoc& doc) override { doc.RemoveView(this); }
  void OnUpdate(CVeskDoc& doc, int hint) override {
    const auto& b = doc.HintBytes();
    hints.push_back(std::to_string(hint) + (b.count ? " " + std::string(reinterpret_cast<const char*>(b.bytes), b.count) : ""));
  }
  std::vector<std::string> hints;
  bool refuse = false;
};

class KeyTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QUARN_HOME", "/prog", 1);
    table.SetDefaults();
  }
  void TearDown() override { unsetenv("QUARN_HOME"); }
  std::string& File() { return platform.files.files[kKeyFile]; }

  fakes::FakePlatform platform;
  CAccTblManeger table;
  const std::vector<KeyEntry> defaults = CAccTblManeger().Entries();
};

}  // namespace quarn
