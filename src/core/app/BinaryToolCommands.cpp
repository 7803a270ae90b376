#include "core/app/DocTemplate.h"
#include "core/binaryview/CVeskBV.h"
#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/tools/CFormManeger.h"
#include "core/tools/DocumentComparison.h"
#include "core/app/ToolCommands.h"
#include "core/view/CVeskView.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"
#include "platform/ToolDialogs.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxCandidates = 30;
constexpr unsigned kProgramCaption = 57347;

// A document the tool made and looks for again; it may have been closed.
struct KeptDocument {
  CVeskDoc* doc = nullptr;
  std::uint64_t serial = 0;
  CVeskDoc* Open(const DocTemplate& documents) const {
    return doc && documents.IndexOf(*doc) >= 0 && doc->Serial() == serial ? doc : nullptr;
  }
  void Keep(CVeskDoc* d) {
    doc = d;
    serial = d ? d->Serial() : 0;
  }
};

KeptDocument gCompareResult;
KeptDocument gTable;

CVeskBV* BinaryWindowOf(CVeskView* view) {
  return view && !view->IsTextMode() ? dynamic_cast<CVeskBV*>(view->BinaryWindow()) : nullptr;
}

std::string NameOf(const CVeskDoc& doc) { return doc.GetPathName().empty() ? doc.GetTitle() : doc.GetPathName(); }

std::string Format2(unsigned id, const std::string& a, const std::string& b) {
  std::string text = LoadString(id);
  for (const auto& [mark, value] : {std::pair<std::string, const std::string&>{"%1", a}, {"%2", b}})
    if (const std::size_t at = text.find(mark); at != std::string::npos) text.replace(at, 2, value);
  return text;
}

void Message(const std::string& text, unsigned style) {
  if (MessageService* messages = Platform().messages) messages->messageBox(text, LoadString(kProgramCaption), style);
}

BinaryRowFormat RowFormatOf(const CVeskBV& window) {
  BinaryRowFormat f;
  f.layout = window.Layout();
  const BinaryViewSettings& s = window.Settings();
  f.hexAddress = s.HexAddress != 0;
  f.chars.code = s.Code();
  f.chars.ignore8bit = s.Ignore8bitCode != 0;
  f.chars.dummy = s.DummyChar();
  return f;
}

// The template's fields, or none after the beep or message that says why.
std::optional<std::vector<TemplateField>> ReadTemplateFile(const std::string& path) {
  FileSystem* files = Platform().files;
  std::unique_ptr<File> file = files ? files->openRead(path) : nullptr;
  std::string bytes;
  if (!file || !ReadUpTo(*file, kMaxTemplateBytes + 1, bytes)) return std::nullopt;
  if (bytes.empty() || bytes.size() > kMaxTemplateBytes) {
    WarningBeep();
    return std::nullopt;
  }
  std::vector<TemplateField> fields = ReadTemplate(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  if (fields.empty()) {
    AppMessageBox(msg::kTemplateMalformed);
    return std::nullopt;
  }
  return fields;
}

}  // namespace

void ForgetCompareResult() { gCompareResult.Keep(nullptr); }

void CompareCommand(DocTemplate& documents, CVeskView* active) {
  CVeskBV* window = BinaryWindowOf(active);
  if (!window) return;
  CVeskDoc& first = active->GetDocument();
  if (first.TextLength() == 0) {
    AppMessageBox(msg::kCompareEmpty);
    return;
  }
  std::vector<CVeskDoc*> candidates;
  CompareRequest request;
  for (std::size_t i = 0; i < documents.Count() && candidates.size() < kMaxCandidates; ++i) {
    CVeskDoc& d = documents.At(i);
    if (&d == &first || d.DocKind() == kTextDoc) continue;
    candidates.push_back(&d);
    request.candidates.push_back(NameOf(d));
  }
  ToolDialogService* dialogs = ToolDialogs();
  if (!dialogs || !dialogs->compareDialog(request) || request.chosen < 0 ||
      std::size_t(request.chosen) >= candidates.size() || documents.IndexOf(*candidates[std::size_t(request.chosen)]) < 0)
    return;
  CVeskDoc& second = *candidates[std::size_t(request.chosen)];
  const std::string a = NameOf(first), b = NameOf(second);
  if (first.TextLength() != second.TextLength()) Message(Format2(msg::kCompareSizes, a, b), mb::kOk | mb::kIconExclamation);

  if (CVeskDoc* previous = gCompareResult.Open(documents)) documents.CloseDocument(*previous, false);
  gProcess.nextDocKind = kTextDoc;
  CVeskDoc* result = documents.OpenDocumentFile({});
  gCompareResult.Keep(result);
  if (!result) return;
  result->SetComparisonResult(true);  // its tab reads "相違"
  result->SetTitle(Format2(msg::kCompareTitle, a, b));
  result->UpdateAllViews(hint::kRefresh);
  const std::uint64_t serial = result->Serial();
  auto resultOpen = [&] { return documents.IndexOf(*result) >= 0 && result->Serial() == serial; };

  CompareOutcome outcome;
  if (second.TextLength() == 0) {
    WarningBeep();
  } else {
    const std::uint32_t lengthA = first.TextLength(), lengthB = second.TextLength();
    const BinaryRowFormat format = RowFormatOf(*window);
    const std::uint8_t* bytesA = first.Store().GetPointer(0);
    const std::uint8_t* bytesB = second.Store().GetPointer(0);
    // The progress window of the comparison.
    const auto progress = ToolProgress(texts::kCompareTitle, texts::kCompareTitle);
    auto documentsKept = [&] {
      return documents.IndexOf(first) >= 0 && documents.IndexOf(second) >= 0 && first.TextLength() == lengthA &&
             second.TextLength() == lengthB && resultOpen();
    };
    const std::string replacing = gSettings.ReplacingChar;
    outcome = CompareDocuments(
        bytesA, lengthA, bytesB, lengthB, format, replacing,
        [&](const std::string& text) {
          if (!result->EnsureTextRoom(std::uint32_t(text.size()))) return false;
          result->AppendToViews(hint::kAppendQuietly, reinterpret_cast<const std::uint8_t*>(text.data()),
                                std::uint32_t(text.size()));
          return true;
        },
        [&](unsigned long done) { return documentsKept() && progress(done); });
  }
  if (!resultOpen()) return;
  result->UpdateAllViews(hint::kRefresh);
  if (outcome.differingRows == 0 && outcome.complete) {
    documents.CloseDocument(*result, false);
    gCompareResult.Keep(nullptr);
    Message(Format2(msg::kCompareEqual, a, b), mb::kOk | mb::kIconAsterisk);
  }
}

void FormatCommand(DocTemplate& documents, CVeskView* active) {
  CVeskBV* window = BinaryWindowOf(active);
  if (!window || !window->HasSelection()) return;
  ToolDialogService* dialogs = ToolDialogs();
  if (!dialogs) return;
  FormRequest request;
  request.history = gForm.History();
  request.name = request.history.empty() ? std::string() : request.history.front();
  request.browseTitle = LoadString(59449);
  request.accept = [](const FormRequest& r) {
    if (r.name.empty()) return WarningBeep(), false;
    if (r.name.size() > CFormManeger::kMaxPath) return AppMessageBox(msg::kCabinetBadPath), false;
    return true;
  };
  if (!dialogs->formDialog(request) || !request.accept(request)) return;
  gForm.Add(request.name);

  CVeskDoc& doc = active->GetDocument();
  const std::uint32_t first = window->SelectionFirst();
  std::vector<std::uint8_t> record(window->SelectionLast() + 1 - first);
  doc.Store().Read(record.data(), first, std::uint32_t(record.size()));
  const std::optional<std::vector<TemplateField>> fields = ReadTemplateFile(request.name);
  if (!fields) return;

  CVeskDoc* table = gTable.Open(documents);
  if (!table) {
    gProcess.nextDocKind = kTextDoc;
    table = documents.OpenDocumentFile({});
    if (!table) return;
    table->SetTitle(texts::kTableTitle);
    gTable.Keep(table);
  }
  const std::string text = FormatTable(record.data(), record.size(), request.name, *fields);
  if (!table->EnsureTextRoom(std::uint32_t(text.size()))) return;
  table->AppendToViews(hint::kAppendBytes, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
  documents.ActivateDocument(*table);
}

}  // namespace quarn
