#include "core/options/CommonSettingsSheet.h"

#include <cmath>

#include "core/common/Settings.h"
#include "core/common/BinarySettings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/encoding/Cp932.h"
#include "core/macro/OperationRecorder.h"
#include "core/res/StringTable.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

constexpr unsigned kBrowseTitle = 59449;
constexpr const char* kAllFilesFilter = "All Files(*.*)|*.*||";
constexpr std::size_t kMaxTabListText = 96;  // the list text must be shorter

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= std::uint32_t(in[at + i]) << (8 * i);
  return v;
}

// The kinsoku text as the edit can hold it: at most 40 bytes, never ending
// in the middle of a double-byte character.
std::string CutColumnOut(const std::string& text) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = cp932::NextChar(text, end);
    if (next > EditPage::kMaxColumnOut) break;
    end = next;
  }
  return text.substr(0, end);
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }
bool MarginOk(double mm) { return mm >= 0.0 && mm <= ViewPage::kMaxMargin; }

}  // namespace

int EditPage::Check() const {
  TabPositionList list;
  if (tabPositions.size() >= kMaxTabListText || !ParseTabPositions(tabPositions, list)) return ctl::kTabPositions;
  return 0;
}

int ViewPage::Check() const {
  if (!MarginOk(leftMargin)) return ctl::kLeftMargin;
  if (!MarginOk(topMargin)) return ctl::kTopMargin;
  return 0;
}

int ScrollPage::Check() const {
  if (!InRange(scrollLineCount, 1, 10)) return ctl::kScrollLineCount;
  if (!InRange(autoScrollInt, 1, 600)) return ctl::kAutoScrollInt;
  if (!InRange(autoScrollCount, 1, 60)) return ctl::kAutoScrollCount;
  return 0;
}

CommonSettingsSheet CommonSettingsSheet::FromSettings(const AppSettings& s) {
  CommonSettingsSheet sheet;
  EditPage& e = sheet.edit;
  e.cabinetSave = s.CabinetSave != 0;
  e.colorAreaComment = s.ColorAreaComment != 0;
  e.initialCabinet = s.InitialCabinet != 0;
  e.initialCabinetMode = s.InitialCabinetMode != 0;
  e.enableTabPosition = s.EnableTabPosition != 0;
  e.invokeWithoutUntitled = s.InvokeWithoutUntitled != 0;
  e.tabPositions = FormatTabPositions(s.TabPosition);
  e.columnOut = CutColumnOut(s.ColumnOutString);
  sheet.directories.directories = s.FrequentlyUsedDirectory;
  ViewPage& v = sheet.view;
  v.leftMargin = s.LeftMarginLM / 10.0;
  v.topMargin = s.TopMarginLM / 10.0;
  v.lineBar = s.DisplayLineBar != 0;
  v.rulerBar = s.DisplayRulerBar != 0;
  v.toolBar = s.DisplayToolBar != 0;
  v.statusBar = s.DisplayStatusBar != 0;
  ScrollPage& c = sheet.scroll;
  c.scrollLineCount = s.ScrollLineCount;
  c.autoScrollInt = s.AutoScrollInt;
  c.autoScrollCount = s.AutoScrollCount;
  c.autoScrollBreak = s.AutoScrollBreak != 0;
  return sheet;
}

CommonSettingsSheet::Fault CommonSettingsSheet::Check() const {
  if (int c = edit.Check()) return {0, c};
  if (int c = view.Check()) return {2, c};
  if (int c = scroll.Check()) return {3, c};
  return {};
}

CommonSettingsRequest CommonSettingsSheet::Request() const {
  CommonSettingsRequest request;
  request.edit = edit;
  request.directories = directories;
  request.view = view;
  request.scroll = scroll;
  request.check = [](const CommonSettingsRequest& r) { return FromRequest(r).Check(); };
  request.browse = BrowseForDirectory;
  return request;
}

CommonSettingsSheet CommonSettingsSheet::FromRequest(const CommonSettingsRequest& request) {
  CommonSettingsSheet sheet;
  static_cast<EditPageFields&>(sheet.edit) = request.edit;
  sheet.directories = request.directories;
  static_cast<ViewPageFields&>(sheet.view) = request.view;
  static_cast<ScrollPageFields&>(sheet.scroll) = request.scroll;
  return sheet;
}

// The small allowance keeps a typed 2.3 (22.999... in binary) at 23 tenths.
int MillimetresToLM(double mm) { return int(std::trunc(mm * 10.0 + 1e-6)); }

std::string DirectoryOfFile(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  // The root, or a slash that follows another one, stays.
  if (slash == 0 || path[slash - 1] == '/') return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

bool BrowseForDirectory(std::string& text) {
  DialogService* dialogs = Platform().dialogs;
  if (!dialogs) return false;
  FileDialogRequest request;
  request.open = true;
  request.title = LoadString(kBrowseTitle);
  request.filter = kAllFilesFilter;
  request.hideReadOnly = true;
  request.initialDir = text;
  if (!dialogs->fileDialog(request)) return false;
  text = DirectoryOfFile(request.fileName);
  return true;
}

std::vector<std::uint8_t> EditPageRecord(const EditPage& page, const TabPositionList& tabs) {
  std::vector<std::uint8_t> out;
  for (bool flag : {page.cabinetSave, page.colorAreaComment, page.initialCabinet, page.initialCabinetMode,
                    page.enableTabPosition})
    Put32(out, flag ? 1 : 0);
  Put32(out, std::uint32_t(tabs.count));
  for (int p : tabs.positions) Put32(out, std::uint32_t(p));
  Put32(out, std::uint32_t(page.columnOut.size()));
  out.insert(out.end(), page.columnOut.begin(), page.columnOut.end());
  return out;
}

bool ReadEditPageRecord(const std::vector<std::uint8_t>& data, EditPage& page, TabPositionList& tabs) {
  constexpr std::size_t kHead = 4 * (5 + 1 + TabPositionList::kMax + 1);
  if (data.size() < kHead) return false;
  const std::uint32_t count = Get32(data, 20);
  const std::uint32_t length = Get32(data, kHead - 4);
  if (count > std::uint32_t(TabPositionList::kMax) || length > data.size() - kHead) return false;
  page.cabinetSave = Get32(data, 0) != 0;
  page.colorAreaComment = Get32(data, 4) != 0;
  page.initialCabinet = Get32(data, 8) != 0;
  page.initialCabinetMode = Get32(data, 12) != 0;
  page.enableTabPosition = Get32(data, 16) != 0;
  tabs.count = int(count);
  for (int i = 0; i < TabPositionList::kMax; ++i) tabs.positions[i] = int(Get32(data, 24 + 4 * std::size_t(i)));
  page.columnOut.assign(data.begin() + kHead, data.begin() + std::ptrdiff_t(kHead + length));
  page.tabPositions = FormatTabPositions(tabs);
  return true;
}

void ApplyCommonSettingsSheet(const CommonSettingsSheet& sheet, CommonSettingsEffects& effects) {
  const EditPage& e = sheet.edit;
  TabPositionList tabs;
  ParseTabPositions(e.tabPositions, tabs);
  EditPage recorded = e;
  recorded.columnOut = CutColumnOut(e.columnOut);
  RecordOperation(kFrameCommandRecord, kEditPageCommand, EditPageRecord(recorded, tabs));

  const AppSettings old = gSettings;
  AppSettings& s = gSettings;
  s.CabinetSave = e.cabinetSave;
  s.ColorAreaComment = e.colorAreaComment;
  s.InitialCabinet = e.initialCabinet;
  s.InitialCabinetMode = e.initialCabinetMode;
  s.EnableTabPosition = e.enableTabPosition;
  s.InvokeWithoutUntitled = e.invokeWithoutUntitled;
  s.TabPosition = tabs;
  s.ColumnOutString = recorded.columnOut;

  s.FrequentlyUsedDirectory = sheet.directories.directories;
  PackDirectories(s.FrequentlyUsedDirectory);

  s.ScrollLineCount = sheet.scroll.scrollLineCount;
  s.AutoScrollInt = sheet.scroll.autoScrollInt;
  s.AutoScrollCount = sheet.scroll.autoScrollCount;
  s.AutoScrollBreak = sheet.scroll.autoScrollBreak;

  const ViewPage& v = sheet.view;
  s.LeftMarginLM = MillimetresToLM(v.leftMargin);
  s.TopMarginLM = MillimetresToLM(v.topMargin);
  s.DisplayLineBar = v.lineBar;
  s.DisplayRulerBar = v.rulerBar;
  s.DisplayToolBar = v.toolBar;
  s.DisplayStatusBar = v.statusBar;
  // The binary window keeps its own copy of the margins.
  gBinarySettings.LeftMarginLM = s.LeftMarginLM;
  gBinarySettings.TopMarginLM = s.TopMarginLM;

  if (!old.CabinetSave && s.CabinetSave) effects.SaveCabinetNow();
  const int type = gCabinet.Settings().DocType;
  const bool commentColouring = type == kDocTypeC || type == kDocTypeCpp;
  const bool relayout = (commentColouring && old.ColorAreaComment != s.ColorAreaComment) ||
                        old.ColumnOutString != s.ColumnOutString || old.LeftMarginLM != s.LeftMarginLM ||
                        old.TopMarginLM != s.TopMarginLM;
  if (relayout) effects.RelayoutTextWindows();
  if (old.DisplayLineBar != s.DisplayLineBar || old.DisplayRulerBar != s.DisplayRulerBar) effects.ShowRulers();
  if (old.DisplayToolBar != s.DisplayToolBar) effects.ShowToolBar(s.DisplayToolBar != 0);
  if (old.DisplayStatusBar != s.DisplayStatusBar) effects.ShowStatusBar(s.DisplayStatusBar != 0);
}

}  // namespace quarn
