#include "core/app/CDataFile.h"
#include "core/app/DocTemplate.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/search/TextSearch.h"
#include "core/textview/CVeskEV.h"
#include "core/tools/CConvManeger.h"
#include "core/tools/CharClasses.h"
#include "core/app/ToolCommands.h"
#include "core/view/CVeskView.h"
#include "platform/ToolDialogs.h"

namespace quarn {
namespace {

constexpr std::size_t kDialogRows = 10;

FreeConvRequest DialogOf(const CConvManeger& m) {
  FreeConvRequest r;
  r.rows.resize(kDialogRows);
  for (std::size_t i = 0; i < m.rules.size() && i < kDialogRows; ++i)
    r.rows[i] = {ConvRowText(m.rules[i].sourceKind, m.rules[i].source), ConvRowText(m.rules[i].targetKind, m.rules[i].target)};
  for (int code : charclass::ListOrder()) r.classNames.push_back(charclass::Name(code));
  r.newDocument = m.toNewDocument;
  r.accept = [](const FreeConvRequest& request) {
    std::vector<ConvRow> rows;
    for (const FreeConvRequest::Row& row : request.rows) rows.push_back({row.source, row.target});
    std::vector<ConvRule> rules;
    const int bad = ReadConvRows(rows, rules);
    // A bad row before any rule sends the focus to the first row.
    if (bad >= 0) return rules.empty() ? 0 : bad;
    return rules.empty() ? 0 : -1;
  };
  return r;
}

// The rules and the destination, from the dialog or the replayed block.
bool AskRules(CConvManeger& m) {
  if (const auto& replayed = ReplayedParameters()) return m.LoadParameters(*replayed) && !m.rules.empty();
  ToolDialogService* dialogs = ToolDialogs();
  if (!dialogs) return false;
  FreeConvRequest request = DialogOf(m);
  if (!dialogs->freeConversion(request)) return false;
  std::vector<ConvRow> rows;
  for (const FreeConvRequest::Row& row : request.rows) rows.push_back({row.source, row.target});
  std::vector<ConvRule> rules;
  if (ReadConvRows(rows, rules) >= 0 || rules.empty()) return false;
  m.rules = std::move(rules);
  m.toNewDocument = request.newDocument;
  return true;
}

}  // namespace

void FreeConversionCommand(DocTemplate& documents, CVeskView* active) {
  CConvManeger& m = gConv;
  if (!AskRules(m)) return;
  RecordOperation(rec::kFrameCommand, cmd::kFreeConversion, m.SaveParameters());
  gDataFile.Save(DataFilePath());

  CVeskEV* window = active && active->GetDocument().DocKind() == kTextDoc ? dynamic_cast<CVeskEV*>(active->TextWindow()) : nullptr;
  if (!window || window->HasBlockSelection()) return WarningBeep();
  CVeskDoc& doc = active->GetDocument();
  if (!m.toNewDocument && doc.IsWriteProtected()) return WarningBeep();
  const bool selection = window->HasStreamSelection();
  const std::uint32_t start = selection ? window->SelectionStart() : 0;
  const std::uint32_t end = selection ? window->SelectionEnd() : doc.TextLength();
  if (end - start > CConvManeger::kMaxSource) {
    AppMessageBox(msg::kConvertTooLarge);
    return;
  }
  if (start == end && !m.toNewDocument) return;
  std::vector<std::uint8_t> source(end - start);
  if (!source.empty()) doc.Store().Read(source.data(), start, end - start);

  // The progress window of the conversion.
  const auto progress = ToolProgress(texts::kFreeConvTitle, texts::kFreeConvTitle);
  window->SetWaitCursor(true);
  const ConvOutcome outcome = m.Convert(source.data(), source.size(), progress);
  window->SetWaitCursor(false);

  if (m.toNewDocument) {
    gProcess.nextDocKind = kTextDoc;
    CVeskDoc* target = documents.OpenDocumentFile({});
    if (!target) return;
    target->UpdateAllViews(hint::kRefresh);
    target->AppendToViews(hint::kAppendQuietly, reinterpret_cast<const std::uint8_t*>(outcome.output.data()),
                          std::uint32_t(outcome.output.size()));
    target->UpdateAllViews(hint::kRefresh);
  } else {
    window->SelectRange(start, end);
    if (!TextSearch(*window).ReplaceSelectionWith(outcome.output)) return;
  }
  if (outcome.cut) AppMessageBox(msg::kConvertTooLarge);
}

}  // namespace quarn
