#include "core/app/CabinetCommands.h"

#include <algorithm>
#include <cstring>

#include "core/common/AppMessage.h"
#include "core/app/DocTemplate.h"
#include "core/common/Palette.h"
#include "core/common/Settings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/cabinet/CabinetFile.h"
#include "core/app/CabinetFrames.h"
#include "core/app/CabinetSheet.h"
#include "core/cabinet/DeviceUnits.h"
#include "core/macro/OperationRecorder.h"
#include "core/options/CommonSettingsSheet.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

using namespace cabinet_command;

constexpr std::size_t kLongName = 256;
constexpr int kMaxFontPixels = 100;
constexpr std::size_t kColorRecordValues = 10;
constexpr int kNewCabinetTypes = 4;

// The sheet opens on the page shown last.
int gLastSheetPage = 0;

std::string RecordedString(const std::vector<std::uint8_t>& data, std::size_t from) {
  if (from >= data.size()) return {};
  const char* text = reinterpret_cast<const char*>(data.data() + from);
  return std::string(text, strnlen(text, data.size() - from));
}

std::vector<std::uint8_t> StringRecord(const std::string& text, std::vector<std::uint8_t> head = {}) {
  head.insert(head.end(), text.begin(), text.end());
  head.push_back(0);
  return head;
}

void SetCaption() {
  gSettings.CabinetName = gCabinet.Path();
  if (CabinetFrames* frames = gCabinet.Frames()) frames->SetCaption();
}

std::string CurrentCabinetDirectory() { return DirectoryOfFile(gCabinet.Path()); }

void ChangeCabinet(const std::vector<std::uint8_t>* playback) {
  std::string path;
  if (playback) {
    path = RecordedString(*playback, 0);
  } else {
    FileDialogRequest request;
    request.open = true;
    request.title = texts::kCabinetDialogTitle;
    request.fileName = gCabinet.Path();
    request.filter = texts::kCabinetFilter;
    request.initialDir = CurrentCabinetDirectory();
    request.hideReadOnly = true;
    if (!Platform().dialogs || !Platform().dialogs->fileDialog(request)) return;
    path = request.fileName;
  }
  RecordOperation(kFrameCommandRecord, kChange, StringRecord(path));
  OpenAsCabinet(path);
}

bool BrowseCabinetName(std::string& name) {
  FileDialogRequest request;
  request.open = false;
  request.title = LoadString(59449);
  request.fileName = name;
  request.filter = texts::kCabinetFilter;
  request.initialDir = CurrentCabinetDirectory();
  request.hideReadOnly = true;
  if (!Platform().dialogs || !Platform().dialogs->fileDialog(request)) return false;
  name = request.fileName;
  return true;
}

void NewCabinet(const std::vector<std::uint8_t>* playback) {
  CabCreateRequest request;
  for (int t = 0; t < kDocTypeCount; ++t) request.typeNames.push_back(DocTypeName(t));
  request.typeNames.push_back(texts::kCopyCurrentCabinet);
  request.accept = [](CabCreateRequest& r) { return AcceptCabinetName(r.name, r.type); };
  request.browse = [](std::string& name) { BrowseCabinetName(name); };
  for (;;) {
    if (playback) {
      if (playback->size() < 4) return;
      request.type = std::int32_t(GetLe32(playback->data()));
      request.name = RecordedString(*playback, 4);
      if (request.type < 0 || request.type >= kNewCabinetTypes) return;
    } else if (!CabinetDialogs() || !CabinetDialogs()->cabCreateDialog(request)) {
      return;
    }
    std::vector<std::uint8_t> head(4);
    PutLe32(head.data(), std::uint32_t(request.type));
    RecordOperation(kFrameCommandRecord, kNew, StringRecord(request.name, head));

    const std::string oldPath = gCabinet.Path();
    const bool copy = request.type == 3;
    if (!gCabinet.Save(!copy)) return;
    if (gCabinet.Create(request.name, request.type)) {
      CabinetFrames* frames = gCabinet.Frames();
      DocTemplate& documents = Documents();
      if (!copy && frames && documents.Count() > 0 && frames->IsActive(documents.At(documents.Count() - 1)))
        frames->Maximize(documents.At(documents.Count() - 1));
      SetCaption();
      return;
    }
    gCabinet.SetPath(oldPath);
    if (!copy) gCabinet.Open(true);
    if (playback) return;
  }
}

void CabinetSettings() {
  if (!MemoryCheck(1048576) || !CabinetDialogs()) return;
  CabinetSheetRequest sheet = SheetOf(gCabinet.Current());
  sheet.title = LoadString(msg::kCabinetSheetTitle);
  sheet.colorLabels = {texts::kColorLabel0, texts::kColorLabel1, texts::kColorLabel2, texts::kColorLabel3,
                       texts::kColorLabel4, texts::kColorLabel5, texts::kColorLabel6, texts::kColorLabel7,
                       texts::kColorLabel8, texts::kColorLabel9, texts::kColorLabel10};
  sheet.page = gLastSheetPage;
  const bool ok = CabinetDialogs()->cabinetSheet(sheet);
  gLastSheetPage = sheet.page;
  if (!ok) return;
  RecordOperation(kFrameCommandRecord, kPlayFormat, FormatRecord(sheet.format));
  ApplyFormatPage(gCabinet, sheet.format, false);
  ApplyColors(gCabinet, sheet.colors, false);
  ApplyKeywords(gCabinet, sheet.keywordText, sheet.caseSensitive, sheet.wholeWord);
  ApplyFilters(gCabinet, sheet.filters);
}

void PlayFormat(const std::vector<std::uint8_t>& data) {
  CabinetFormatPage page = FormatPageOf(gCabinet.Current());
  if (ReadFormatRecord(data, page)) ApplyFormatPage(gCabinet, page, true);
}

// Ten palette indices 0 to 15 in the order of the earlier colour dialog:
// CKeyword, CppKeyword, Eol, MarkedLineBack, Tab, Keyword, MarkedCharBack,
// Comment, Text, TextBack, given here as places of the colour page.
void PlayColors(const std::vector<std::uint8_t>& data) {
  constexpr int kSlots[kColorRecordValues] = {2, 3, 5, 0, 6, 4, 1, 7, 8, 9};
  if (data.size() < kColorRecordValues * 4) return;
  std::array<ColorRef, CabinetSheetRequest::kColorCount> colors = SheetOf(gCabinet.Current()).colors;
  for (std::size_t i = 0; i < kColorRecordValues; ++i)
    colors[kSlots[i]] = PaletteColor(int(GetLe32(data.data() + 4 * i)) + 1);
  ApplyColors(gCabinet, colors, true);
}

void Font(const std::vector<std::uint8_t>* playback) {
  LogFont chosen;
  if (playback) {
    if (playback->size() < LogFont::kSize) return;
    chosen = LogFont::deserialize(playback->data());
  } else {
    FontRequest request;
    request.font = gCabinet.Settings().Font;
    if (!CabinetDialogs() || !CabinetDialogs()->fontDialog(request)) return;
    chosen = request.font;
    const int dpi = request.screenDpi > 0 ? request.screenDpi : 96;
    if (PointsToPixels(dpi, chosen.height) > kMaxFontPixels) {
      chosen.height = kMaxFontPixels * 72 / dpi;
      WarningBeep();
    }
  }
  std::vector<std::uint8_t> record(LogFont::kSize);
  chosen.serialize(record.data());
  RecordOperation(kFrameCommandRecord, kFont, record);
  if (chosen == gCabinet.Settings().Font) return;
  gCabinet.Current().record.Font = chosen;
  RefreshAllDocuments(gCabinet);
  gCabinet.SaveIfImmediate();
}

}  // namespace

bool IsCabinetCommand(unsigned id) {
  switch (id) {
    case kChange: case kNew: case kPlayFormat: case kPlayColors: case kFont: case kSettings:
      return true;
    default:
      return false;
  }
}

void RunCabinetCommand(unsigned id, const std::vector<std::uint8_t>* playback) {
  switch (id) {
    case kChange: ChangeCabinet(playback); break;
    case kNew: NewCabinet(playback); break;
    case kSettings: CabinetSettings(); break;
    case kFont: Font(playback); break;
    case kPlayFormat:
      if (playback) PlayFormat(*playback);
      break;
    case kPlayColors:
      if (playback) PlayColors(*playback);
      break;
    default: break;
  }
}

bool IsCabinetFile(const std::string& path) {
  std::string bytes;
  return CVeskCabinet::ReadFile(path, bytes, true) && ReadCabinet(bytes).format != CabinetFormat::kMalformed;
}

bool OpenAsCabinet(const std::string& path) {
  FileSystem* files = Platform().files;
  const std::string full = files && !path.empty() ? files->fullPath(path) : path;
  // File names on this system differ by case: only the same bytes are the
  // same cabinet.
  if (full == gCabinet.Path()) {
    WarningBeep();
    return false;
  }
  std::string bytes;
  if (!CVeskCabinet::ReadFile(full, bytes)) return false;
  const CabinetContents contents = ReadCabinet(bytes);
  if (contents.format == CabinetFormat::kMalformed) {
    AppMessageBox(msg::kCabinetMalformed);
    return false;
  }
  if (!gCabinet.Save(true)) return false;
  gCabinet.SetPath(full);
  gCabinet.Apply(contents, true);
  SetCaption();
  return true;
}

bool AcceptCabinetName(std::string& name, int type) {
  if (type < 0 || type >= kNewCabinetTypes) {
    WarningBeep();
    return false;
  }
  if (name.size() > kLongName) return true;
  const std::size_t slash = name.rfind('/');
  const std::string title = slash == std::string::npos ? name : name.substr(slash + 1);
  if (title.empty() || title == "." || title == "..") {
    AppMessageBox(msg::kCabinetBadPath);
    return false;
  }
  const std::size_t tail = std::min<std::size_t>(4, name.size());
  if (name.find('.', name.size() - tail) == std::string::npos) name += ".cab";
  return true;
}

}  // namespace quarn
