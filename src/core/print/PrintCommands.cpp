#include "core/print/PrintCommands.h"

#include <memory>

#include "core/cabinet/CVeskCabinet.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/BinarySettings.h"
#include "core/common/ParameterBlock.h"
#include "core/common/ProcessValues.h"
#include "core/common/ViewChildren.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/OperationRecorder.h"
#include "core/print/CPageLayout.h"
#include "core/print/ExpandInsertion.h"
#include "core/print/PrintPage.h"
#include "core/view/CVeskView.h"
#include "platform/Platform.h"
#include "platform/PrintService.h"

namespace quarn {
namespace {

constexpr unsigned kTooManyPrintRows = 59418;
constexpr std::size_t kPrintMemoryCheck = 1u << 20;

// The job of one print or preview of a document.
class DocumentPrintJob : public PrintJob {
 public:
  DocumentPrintJob(CVeskView& view, const KeepGoing& keepGoing) : view_(view), keepGoing_(keepGoing) {}

  unsigned Begin(Canvas& canvas, const PrintDevice& device, bool selection) override {
    CVeskDoc& doc = view_.GetDocument();
    const bool binary = !view_.IsTextMode();
    if (!gPrtManeger.Paginate(canvas, device, doc.Format().charsPerLine, binary)) return 0;
    stamp_ = MakePrintStamp(LocalTimeNow());
    if (!binary) {
      TextWindowCommands* text = view_.TextWindow();
      const auto range = text ? text->StreamSelectionRange() : std::pair<std::uint32_t, std::uint32_t>{0, 0};
      const bool onlySelection = selection && range.second > range.first;
      switch (gPrtManeger.PrepareTextRows(doc, onlySelection, range.first, range.second, gProcess.maxRows,
                                          keepGoing_)) {
        case TextRowsResult::kTooManyRows:
          AppMessageBox(kTooManyPrintRows);
          gPrtManeger.EndPrinting();
          return 0;
        case TextRowsResult::kStopped:
          gPrtManeger.EndPrinting();
          return 0;
        case TextRowsResult::kDone:
          break;
      }
      return gPrtManeger.Pages(std::uint32_t(gPrtManeger.RowStarts().size()));
    }
    const std::uint32_t b = std::uint32_t(std::max(1, gBinarySettings.BytesPerLine));
    const std::uint32_t length = doc.TextLength();
    firstRow_ = 0;
    lastRow_ = length ? (length - 1) / b : 0;
    BinaryWindowCommands* window = view_.BinaryWindow();
    const auto bytes = window ? window->SelectedBytes() : std::pair<std::uint32_t, std::uint32_t>{0, 0};
    if (bytes.second > bytes.first) {
      if (selection) {
        firstRow_ = bytes.first / b;
        lastRow_ = (bytes.second - 1) / b;
      } else {
        window->DropSelectionForPrint();
      }
    }
    return gPrtManeger.Pages(length ? lastRow_ - firstRow_ + 1 : 0);
  }

  void PrintPage(Canvas& canvas, unsigned page) override {
    CVeskDoc& doc = view_.GetDocument();
    PagePrinter printer(canvas, gPrtManeger, doc, stamp_);
    printer.DrawHeaderFooter(page);
    if (view_.IsTextMode()) {
      printer.DrawTextPage(page, gCabinet.Settings().LineNumberMode == 0);
    } else {
      printer.DrawBinaryPage(page, gBinarySettings, firstRow_, lastRow_);
    }
  }

  void End() override { gPrtManeger.EndPrinting(); }

 private:
  CVeskView& view_;
  const KeepGoing& keepGoing_;
  PrintStamp stamp_;
  std::uint32_t firstRow_ = 0, lastRow_ = 0;
};

bool PrintDocument(CVeskView& view, bool preview, const KeepGoing& keepGoing) {
  if (!MemoryCheck(kPrintMemoryCheck)) return false;
  PrintService* service = Platform().printing;
  if (!service) return false;
  PrintRequest request;
  request.preview = preview;
  request.noDialog = !preview && ReplayedParameters().has_value();
  if (view.IsTextMode()) {
    request.offerSelection = view.TextWindow() && view.TextWindow()->HasSelection() &&
                             !view.TextWindow()->IsBoxSelection();
  } else {
    request.offerSelection = view.BinaryWindow() && view.BinaryWindow()->HasSelection();
  }
  const std::string& path = view.GetDocument().GetPathName();
  request.fallbackPdf = (path.empty() ? std::string("quarn") : path) + ".pdf";
  RecordOperation(rec::kFrameCommand, preview ? cmd::kPrintPreview : cmd::kPrint);
  DocumentPrintJob job(view, keepGoing);
  return service->print(request, job);
}

bool PageLayoutCommand(const PageLayoutDialog& dialog) {
  CPageLayout values(gPrtManeger.Fields());
  if (const auto& replayed = ReplayedParameters()) {
    auto recorded = CPageLayout::FromBlock(*replayed);
    if (!recorded) return false;
    values = *recorded;
  } else if (!dialog || !dialog(values)) {
    return false;
  }
  values.Store(gPrtManeger.Fields());
  RecordOperation(rec::kFrameCommand, cmd::kPageLayout, values.Block());
  return true;
}

}  // namespace

PageLayoutDialog& PageLayoutDialogHook() {
  static PageLayoutDialog dialog;
  return dialog;
}

bool RunPrintCommand(CVeskView& view, unsigned id, const KeepGoing& keepGoing) {
  switch (id) {
    case cmd::kPrint: case cmd::kPrintPreview:
      PrintDocument(view, id == cmd::kPrintPreview, keepGoing);
      return true;
    case cmd::kPageLayout:
      PageLayoutCommand(PageLayoutDialogHook());
      return true;
    default:
      return false;
  }
}

bool UpdatePrintCommand(unsigned id, CommandState& state) {
  if (id != cmd::kPrint && id != cmd::kPrintPreview && id != cmd::kPageLayout) return false;
  state.enabled = true;
  return true;
}

}  // namespace quarn
