// Played-back find operations on a text document: a find and replace
// dialog record (type 304) or a find box record (type 305), run from a
// caret in the text. Whatever the record asks, the caret and the selection
// stay inside the text and the row table stays the one a full layout gives.
#include <memory>

#include "FuzzInput.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/search/FindRecords.h"
#include "core/search/TextSearch.h"
#include "fakes/FakeFind.h"
#include "fakes/FakePlatform.h"

using namespace quarn;

namespace {

class Window : public TextSearchWindow {
 public:
  explicit Window(CVeskDoc& doc) : doc_(doc) {}
  CVeskDoc& Document() override { return doc_; }
  bool HasStreamSelection() const override { return start != end; }
  bool HasBlockSelection() const override { return false; }
  void CancelBlockSelection() override {}
  std::uint32_t SelectionStart() const override { return start; }
  std::uint32_t SelectionEnd() const override { return end; }
  void CancelSelection() override { start = end = caret; }
  std::uint32_t CaretPos() const override { return caret; }
  void ShowMatch(std::uint32_t pos, std::uint32_t length) override {
    fuzz::Check(std::uint64_t(pos) + length <= doc_.TextLength(), "a shown match lies in the text");
    start = pos;
    end = caret = pos + length;
  }
  void ShowReplaced(std::uint32_t pos, std::uint32_t length) override {
    fuzz::Check(std::uint64_t(pos) + length <= doc_.TextLength(), "a replacement lies in the text");
    start = end = caret = pos + length;
  }

  std::uint32_t start = 0, end = 0, caret = 0;

 private:
  CVeskDoc& doc_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fakes::FakePlatform platform;
  static fakes::FakeFindBox box;
  static fakes::FakeFindDialog dialog;
  platform.messages.shown.clear();
  platform.beep.beeps.clear();
  gFindReplace = CFindReplaceManeger();
  fuzz::Input in(data, size);
  const std::uint8_t setup = in.Byte();
  const std::string record = in.Piece();
  const std::string text = in.Rest();

  gProcess.nextDocKind = kTextDoc;
  CVeskDoc doc;
  doc.Format().charsPerLine = setup & 1 ? 8 : 80;
  doc.Layout().wordWrap = setup & 2;
  doc.InsertText(0, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
  Window window(doc);
  window.caret = window.start = window.end = doc.TextLength() ? setup % (doc.TextLength() + 1) : 0;
  TextSearch search(window);
  const std::vector<std::uint8_t> bytes(record.begin(), record.end());
  if (setup & 4) search.ReplayToolbarRecord(setup & 8, bytes);
  else search.ReplayDialogRecord(bytes);

  fuzz::Check(window.caret <= doc.TextLength() && window.start <= window.end && window.end <= doc.TextLength(),
              "caret and selection stay in the text");
  const std::vector<std::uint32_t> rows(doc.RowStarts(), doc.RowStarts() + doc.RowCount());
  doc.RebuildRows();
  fuzz::Check(rows == std::vector<std::uint32_t>(doc.RowStarts(), doc.RowStarts() + doc.RowCount()),
              "the rows after the replacements are those of a full layout");
  return 0;
}
