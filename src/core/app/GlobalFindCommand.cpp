#include "core/app/GlobalFindCommand.h"

#include <algorithm>
#include <memory>

#include "core/app/CDataFile.h"
#include "core/app/DocTemplate.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/ProgressStop.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/options/CommonSettingsSheet.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/search/GlobalFind.h"
#include "platform/DirectoryList.h"
#include "platform/FindDialogService.h"
#include "platform/GlobalFindDialogs.h"
#include "platform/Platform.h"
#include "platform/Types.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxFullPattern = 260;
// The name the folder is read from, as a file dialog answers "a.a" in it.
constexpr char kProbeName[] = "a.a";

void Put32(std::vector<std::uint8_t>& out, bool v) {
  const std::size_t at = out.size();
  out.resize(at + 4);
  PutLe32(out.data() + at, v ? 1 : 0);
}

void PutText(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

std::optional<bool> Get32(const std::vector<std::uint8_t>& data, std::size_t& at) {
  if (data.size() < at + 4) return std::nullopt;
  const bool v = GetLe32(data.data() + at) != 0;
  at += 4;
  return v;
}

std::optional<std::string> GetText(const std::vector<std::uint8_t>& data, std::size_t& at) {
  const auto begin = data.begin() + std::ptrdiff_t(std::min(at, data.size()));
  const auto zero = std::find(begin, data.end(), std::uint8_t(0));
  if (zero == data.end()) return std::nullopt;
  std::string text(begin, zero);
  at += text.size() + 1;
  return text;
}

// The folder the dialog offers: that of the newest full pattern, else the
// current directory.
std::string StartFolder() {
  const std::string newest = gFindReplace.filePatternHistory.Newest();
  if (!newest.empty() && newest[0] == '/') return newest.substr(0, newest.rfind('/') + 1);
  FileSystem* files = Platform().files;
  const std::string probe = files ? files->fullPath(kProbeName) : std::string();
  return probe.size() > 3 ? probe.substr(0, probe.size() - 3) : "/";
}

// OK of the dialog: the string 1 to 80 bytes, the pattern 1 to 260.
bool AcceptDialog(const GlobalFindDialogRequest& request) {
  if (request.text.empty() || request.pattern.empty()) {
    WarningBeep();
    return false;
  }
  if (request.text.size() > CFindReplaceManeger::kTextBytes) {
    AppMessageBox(msg::kStringTooLong);
    return false;
  }
  if (request.pattern.size() > CFindReplaceManeger::kFilePatternBytes) {
    AppMessageBox(msg::kCabinetBadPath);
    return false;
  }
  return true;
}

// What to search: from the dialog, or from the replayed block.
std::optional<GlobalFindParameters> AskParameters() {
  if (const auto& replayed = ReplayedParameters()) return ParseGlobalFindRecord(*replayed);
  GlobalFindDialogService* dialogs = GlobalFindDialogs();
  if (!dialogs) return std::nullopt;
  GlobalFindDialogRequest request;
  request.text = gFindReplace.findHistory.Newest();
  request.textHistory = gFindReplace.findHistory.Entries();
  request.patternHistory = gFindReplace.filePatternHistory.Entries();
  // The newest full pattern is offered as its folder and its name, so that
  // a folder chosen in the dialog is the folder searched.
  request.pattern = gFindReplace.filePatternHistory.Newest();
  if (!request.pattern.empty() && request.pattern[0] == '/') request.pattern.erase(0, request.pattern.rfind('/') + 1);
  request.directory = StartFolder();
  request.matchCase = gFindReplace.matchCase;
  request.subdirectories = gFindReplace.searchSubdirectories;
  request.distinguishWidth = gFindReplace.distinguishWidth;
  request.regular = gFindReplace.regular;
  request.accept = AcceptDialog;
  if (!dialogs->globalFindDialog(request)) return std::nullopt;
  const std::optional<std::string> full = FullPathPattern(request.pattern, request.directory);
  if (!full) {
    WarningBeep();
    return std::nullopt;
  }
  return GlobalFindParameters{request.subdirectories, request.matchCase, request.text, *full,
                              request.distinguishWidth, request.regular};
}

// The progress window and the result document as the walk reports to them.
class ResultList : public GlobalFindProgress {
 public:
  ResultList(DocTemplate& documents, CVeskDoc& doc)
      : documents_(documents), doc_(doc), serial_(doc.Serial()),
        progress_(texts::kGlobalFindTitle, texts::kGlobalFindSearching, texts::kGlobalFindCount,
                  ProgressStop::OtherWindows::kAnswer) {}
  void Searching(const std::string& name) override { progress_.SetText(texts::kGlobalFindSearching + name); }
  void Found(const std::string& line, std::uint32_t count) override {
    doc_.AppendStringToViews(line.c_str());
    count_ = count;
  }
  // The events waiting are handled between matches; the user may close the
  // result document meanwhile, which stops the search as "中断" does.
  bool Stopped() override {
    if (!progress_.Continue(count_)) stopped_ = true;
    if (documents_.IndexOf(doc_) < 0 || doc_.Serial() != serial_) stopped_ = closed_ = true;
    return stopped_;
  }
  bool DocumentClosed() const { return closed_; }

 private:
  DocTemplate& documents_;
  CVeskDoc& doc_;
  std::uint64_t serial_;
  ProgressStop progress_;
  std::uint32_t count_ = 0;
  bool stopped_ = false;
  bool closed_ = false;
};

std::string Replace(std::string text, const std::string& mark, const std::string& by) {
  const std::size_t at = text.find(mark);
  return at == std::string::npos ? text : text.replace(at, mark.size(), by);
}

// A global find runs the event loop between matches; a second one started
// from there would search into the same state.
bool gRunning = false;

}  // namespace

std::vector<std::uint8_t> GlobalFindRecord(const GlobalFindParameters& p) {
  std::vector<std::uint8_t> out;
  Put32(out, p.subdirectories);
  Put32(out, p.matchCase);
  PutText(out, p.text);
  PutText(out, p.pattern);
  if (p.distinguishWidth && p.regular) {
    Put32(out, *p.distinguishWidth);
    Put32(out, *p.regular);
  }
  return out;
}

std::optional<GlobalFindParameters> ParseGlobalFindRecord(const std::vector<std::uint8_t>& data) {
  std::size_t at = 0;
  const auto subdirectories = Get32(data, at);
  const auto matchCase = Get32(data, at);
  if (!subdirectories || !matchCase) return std::nullopt;
  auto text = GetText(data, at);
  auto pattern = text ? GetText(data, at) : std::nullopt;
  if (!pattern) return std::nullopt;
  GlobalFindParameters p{*subdirectories, *matchCase, std::move(*text), std::move(*pattern), {}, {}};
  std::size_t options = at;
  const auto width = Get32(data, options);
  const auto regular = Get32(data, options);
  if (width && regular) {
    p.distinguishWidth = width;
    p.regular = regular;
  }
  return p;
}

std::optional<std::string> FullPathPattern(const std::string& pattern, const std::string& folder) {
  std::string full = !pattern.empty() && pattern[0] == '/' ? pattern : folder + pattern;
  if (full.size() > kMaxFullPattern) return std::nullopt;
  return full;
}

void GlobalFind(DocTemplate& documents) {
  if (gRunning) return WarningBeep();
  if (!MemoryCheck()) return;
  const bool replayed = ReplayedParameters().has_value();
  std::optional<GlobalFindParameters> p = AskParameters();
  // A replayed block holds what the dialog would have checked.
  if (!p || p->text.empty() || p->text.size() > CFindReplaceManeger::kTextBytes || p->pattern.empty() ||
      p->pattern.size() > kMaxFullPattern)
    return;

  gFindReplace.filePatternHistory.Add(p->pattern);
  gFindReplace.findHistory.Add(p->text);
  gFindReplace.searchSubdirectories = p->subdirectories;
  gFindReplace.matchCase = p->matchCase;
  if (p->distinguishWidth) gFindReplace.distinguishWidth = *p->distinguishWidth;
  if (p->regular) gFindReplace.regular = *p->regular;
  p->distinguishWidth = gFindReplace.distinguishWidth;
  p->regular = gFindReplace.regular;
  RecordOperation(kFrameCommandRecord, cmd::kGlobalFind, GlobalFindRecord(*p));
  if (FindBoxService* box = Platform().findBox) box->setHistory(gFindReplace.findHistory.Entries());
  if (!replayed) gDataFile.Save(DataFilePath());

  gProcess.nextDocKind = kTextDoc;
  CVeskDoc* doc = documents.OpenDocumentFile({});
  if (!doc) return WarningBeep();
  doc->UpdateAllViews(hint::kRefresh);

  FileSystem* files = Platform().files;
  DirectoryLister* directories = Directories();
  if (!files || !directories) {
    documents.CloseDocument(*doc, false);
    return;
  }
  gRunning = true;
  const GlobalFindRequest request{p->pattern, p->text, p->subdirectories,
                                  FileSearchOptions{p->matchCase, *p->regular, *p->distinguishWidth}};
  GlobalFindCounts counts;
  bool closed = false;
  {
    ResultList results(documents, *doc);
    counts = SearchFiles(request, *files, *directories, results);
    closed = results.DocumentClosed();
  }
  gRunning = false;
  if (!closed && (counts.noFile || counts.matches == 0)) documents.CloseDocument(*doc, false);
  if (counts.noFile) return;
  const std::string text = Replace(Replace(LoadString(msg::kGlobalFindCounts), "%1", std::to_string(counts.files)),
                                   "%2", std::to_string(counts.matches));
  if (MessageService* messages = Platform().messages)
    messages->messageBox(text, texts::kGlobalFindCaption, mb::kOk | mb::kIconAsterisk);
}

}  // namespace quarn
