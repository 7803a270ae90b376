// Documents built in memory, their bytes, and a fixture that keeps the process values and the platform fakes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/encoding/Cp932.h"
#include "fakes/FakePlatform.h"

namespace quarn::doctests {

using Bytes = std::vector<std::uint8_t>;

inline Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The length of the character unit starting with b: a lead byte and a CR take the next byte along.
inline std::uint32_t UnitLength(std::uint8_t b) { return cp932::IsLeadByte(b) || b == 0x0D ? 2 : 1; }

// Start of the last character unit walking from the first byte, or kNone.
inline std::uint32_t LastUnit(const Bytes& text) {
  if (text.empty()) return CVeskDoc::kNone;
  std::uint32_t q = 0;
  while (q + UnitLength(text[q]) < text.size()) q += UnitLength(text[q]);
  return q;
}

struct Shape {
  int width = 10;
  int tab = 4;
  bool wordWrap = false;
  bool kinsoku = false;
};

inline std::unique_ptr<CVeskDoc> NewDoc(int kind) {
  gProcess.nextDocKind = kind;
  return std::make_unique<CVeskDoc>();
}

// A text document built in memory the way loading builds it.
inline std::unique_ptr<CVeskDoc> LoadedDoc(const Bytes& text, const Shape& shape = {}) {
  auto doc = NewDoc(kTextDoc);
  doc->Format().charsPerLine = shape.width;
  doc->Format().tabColumns = shape.tab;
  doc->Layout().wordWrap = shape.wordWrap;
  doc->Layout().kinsoku = shape.kinsoku;
  const auto n = std::uint32_t(text.size());
  EXPECT_LE(doc->Store().Reserve(n), 1);
  doc->Store().BeginDirect();
  if (n) std::memcpy(doc->Store().Data(), text.data(), n);
  doc->Store().EndDirect();
  doc->SetTextLength(n, LastUnit(text));
  doc->RebuildRows();
  return doc;
}

inline void Insert(CVeskDoc& doc, std::uint32_t pos, const std::string& s) {
  doc.InsertText(pos, reinterpret_cast<const std::uint8_t*>(s.data()), std::uint32_t(s.size()));
}

inline std::string TextOf(CVeskDoc& doc) {
  std::string out(doc.TextLength(), '\0');
  if (!out.empty()) doc.Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc.TextLength());
  return out;
}

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = gProcess; }
  void TearDown() override { gProcess = saved_; }
  fakes::FakePlatform platform;

 private:
  ProcessValues saved_;
};

}  // namespace quarn::doctests
