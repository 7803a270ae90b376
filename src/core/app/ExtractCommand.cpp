#include <algorithm>

#include "core/app/CDataFile.h"
#include "core/app/DocTemplate.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/tools/CExtractManeger.h"
#include "core/app/ToolCommands.h"
#include "core/view/CVeskView.h"
#include "platform/ToolDialogs.h"

namespace quarn {
namespace {

// Pieces of a result not shown while it is made are gathered to this size
// before they are appended.
constexpr std::size_t kQuietPiece = 65536;

std::vector<ExtractConditionValues> ValuesOf(const ExtractConditions& list) {
  std::vector<ExtractConditionValues> out;
  for (const ExtractCondition& c : list) out.push_back({c.text, c.position, c.lines});
  return out;
}

ExtractConditions ConditionsOf(const std::vector<ExtractConditionValues>& list) {
  ExtractConditions out;
  for (const ExtractConditionValues& c : list) {
    if (out.size() == CExtractManeger::kMaxConditions) break;
    if (c.text.empty() || c.text.size() > ExtractCondition::kMaxText) continue;
    out.push_back({c.text, c.position, c.lines});
  }
  return out;
}

ExtractSheetRequest SheetOf(const CExtractManeger& m) {
  ExtractSheetRequest r;
  r.page = m.lastPage;
  r.execution = int(m.execution);
  r.display = !m.noDisplay;
  r.information = m.showInformation;
  r.addSeparator = m.addSeparator;
  r.separator = m.separator;
  r.matchCase = m.matchCase;
  r.regular = m.regular;
  r.distinguishWidth = m.distinguishWidth;
  r.record = gSettings.RecordExtractOperation != 0;
  r.step1Extracts = m.step1Extracts;
  r.step1 = ValuesOf(m.step1);
  r.step2Deletes = m.step2Deletes;
  r.starts = ValuesOf(m.starts);
  r.ends = ValuesOf(m.ends);
  r.canAdd = [](const ExtractConditionValues& c, std::size_t count) {
    return !c.text.empty() && c.text.size() <= ExtractCondition::kMaxText && count < CExtractManeger::kMaxConditions;
  };
  return r;
}

void TakeSheet(const ExtractSheetRequest& r, CExtractManeger& m) {
  m.lastPage = std::clamp(r.page, 0, 2);
  m.execution = std::uint32_t(std::clamp(r.execution, 1, 3));
  m.noDisplay = !r.display;
  m.showInformation = r.information;
  m.addSeparator = r.addSeparator;
  m.separator = r.separator.substr(0, std::min(r.separator.size(), CExtractManeger::kMaxSeparator));
  m.matchCase = r.matchCase;
  m.regular = r.regular;
  m.distinguishWidth = r.distinguishWidth;
  gSettings.RecordExtractOperation = r.record ? 1 : 0;
  m.step1Extracts = r.step1Extracts;
  m.step1 = ConditionsOf(r.step1);
  m.step2Deletes = r.step2Deletes;
  m.starts = ConditionsOf(r.starts);
  m.ends = ConditionsOf(r.ends);
}

ExtractResultValues ResultOf(const CExtractManeger& m, const ExtractCounts& c) {
  ExtractResultValues v;
  v.step1 = {c.total, c.total - c.afterStep1, c.afterStep1, c.step1Matches, !m.step1Extracts};
  v.step2 = {c.afterStep1, c.afterStep1 - c.afterStep2, c.afterStep2, c.step2Blocks, m.step2Deletes};
  return v;
}

}  // namespace

bool ExtractInto(const CExtractManeger& m, DocTemplate& documents, CVeskDoc& source, CVeskDoc& target) {
  const std::uint32_t length = source.TextLength();
  // A shown extraction lets the user work between lines: it reads a copy.
  std::vector<std::uint8_t> copy;
  const std::uint8_t* text = length ? source.Store().GetPointer(0) : nullptr;
  if (!m.noDisplay && length) {
    copy.assign(text, text + length);
    text = copy.data();
  }
  ExtractPlan plan;
  switch (m.Plan(m.execution, text, length, plan)) {
    case ExtractFailure::kNone:
      break;
    case ExtractFailure::kNoConditions: case ExtractFailure::kEmptySource: case ExtractFailure::kEmptyResult:
      SimpleBeep();
      return false;
  }
  const std::vector<std::uint32_t>& starts = plan.lineStarts;
  const std::uint64_t serial = target.Serial();
  bool complete = false;
  if (m.noDisplay) {
    // Room for the whole result at once, rather than a step at a time.
    std::uint64_t total = 0;
    for (std::size_t k = 0; k < plan.lines.size(); ++k)
      total += starts[plan.lines[k] + 1] - starts[plan.lines[k]] + (plan.blockNumber[k] ? m.separator.size() + 32 : 0);
    if (total < 0xFFFFFFF0u && target.EnsureTextRoom(std::uint32_t(total)))
      target.EnsureRowCapacity(std::uint32_t(std::min<std::uint64_t>(0xFFFFFFF0u, target.RowCount() + plan.lines.size() + plan.blocks + 1)));
    std::string piece;
    auto flush = [&] {
      target.AppendToViews(hint::kAppendQuietly, reinterpret_cast<const std::uint8_t*>(piece.data()), std::uint32_t(piece.size()));
      piece.clear();
    };
    complete = m.Write(plan, text, starts, [&](const std::uint8_t* b, std::size_t n) {
      piece.append(reinterpret_cast<const char*>(b), n);
      if (piece.size() >= kQuietPiece) flush();
    }, {});
    flush();
    target.UpdateAllViews(hint::kRefresh);
  } else {
    // The progress window of the extraction ("抽出中", "中断").
    const auto progress = ToolProgress(LoadString(msg::kExtractCaption), texts::kExtractProgress);
    complete = m.Write(plan, text, starts, [&](const std::uint8_t* b, std::size_t n) {
      target.AppendToViews(hint::kAppendBytes, b, std::uint32_t(n));
    }, [&](unsigned long done) {
      // Closing the result document stops the output as "中断" does.
      return documents.IndexOf(target) >= 0 && target.Serial() == serial && progress(done);
    });
  }
  if (complete && m.showInformation)
    if (ToolDialogService* dialogs = ToolDialogs()) dialogs->extractResult(ResultOf(m, plan.counts));
  return true;
}

void ExtractLinesCommand(DocTemplate& documents, CVeskView* active) {
  CExtractManeger& m = gExtract;
  if (const auto& replayed = ReplayedParameters()) {
    if (!m.LoadParameters(*replayed)) return;
  } else {
    ToolDialogService* dialogs = ToolDialogs();
    if (!dialogs) return;
    ExtractSheetRequest sheet = SheetOf(m);
    if (!dialogs->extractSheet(sheet)) return;
    TakeSheet(sheet, m);
  }
  COperationManeger& operations = Operations();
  const bool alone = !operations.IsPlaying() && !operations.IsRecording() && gSettings.RecordExtractOperation != 0;
  if (alone) operations.StartRecording();
  RecordOperation(rec::kFrameCommand, cmd::kExtractLines, m.SaveParameters());
  if (alone) operations.StopRecording();
  gDataFile.Save(DataFilePath());

  if (!active || active->GetDocument().DocKind() != kTextDoc) return WarningBeep();
  CVeskDoc& source = active->GetDocument();
  gProcess.nextDocKind = kTextDoc;
  CVeskDoc* target = documents.OpenDocumentFile({});
  if (!target) return;
  target->UpdateAllViews(hint::kRefresh);
  const std::uint64_t serial = target->Serial();
  if (!ExtractInto(m, documents, source, *target) && documents.IndexOf(*target) >= 0 && target->Serial() == serial)
    documents.CloseDocument(*target, false);
}

}  // namespace quarn
