// The common-settings sheet shown while a text document is active: the
// pages "編集", "ディレクトリ", "表示" and "スクロール", loaded from the
// settings, checked on OK and applied with all their effects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/app/Settings.h"
#include "core/app/TabPositions.h"
#include "core/options/CommonSettingsEffects.h"
#include "core/options/ControlIds.h"

namespace quarn {

// Page 117 "編集".
struct EditPage {
  static constexpr std::size_t kMaxTabText = 90;   // what the edit takes
  static constexpr std::size_t kMaxColumnOut = 40;  // bytes
  bool cabinetSave = false;
  bool colorAreaComment = false;
  bool initialCabinet = false;
  bool initialCabinetMode = false;
  bool enableTabPosition = false;
  bool invokeWithoutUntitled = false;
  std::string tabPositions;  // the list as text, CP932
  std::string columnOut;     // the kinsoku characters, CP932

  // 0 when the page may be left, else the control that refuses its text.
  int Check() const;
};

// Page 127 "ディレクトリ".
struct DirectoryPage {
  std::array<std::string, 4> directories;
};

// Page 140 "表示": margins in millimetres with one decimal.
struct ViewPage {
  static constexpr double kMaxMargin = 50.0;
  double leftMargin = 1.5;
  double topMargin = 1.5;
  bool lineBar = false;
  bool rulerBar = false;
  bool toolBar = true;
  bool statusBar = true;

  int Check() const;
};

// Page 128 "スクロール".
struct ScrollPage {
  int scrollLineCount = 1;  // 1 to 10
  int autoScrollInt = 30;   // 1 to 600, tenths of a second
  int autoScrollCount = 5;  // 1 to 60
  bool autoScrollBreak = false;

  int Check() const;
};

struct CommonSettingsSheet {
  EditPage edit;
  DirectoryPage directories;
  ViewPage view;
  ScrollPage scroll;

  static CommonSettingsSheet FromSettings(const AppSettings& s);

  // The first refusal on the pages in their order: page index 0 to 3 and
  // control id; control 0 when everything is accepted.
  struct Fault {
    int page = -1;
    int control = 0;
  };
  Fault Check() const;
};

// Millimetres of a margin field as stored: tenths with the fraction cut.
int MillimetresToLM(double mm);

// The directory part of a path chosen with a browse button: without its
// final "/" unless the directory is the root.
std::string DirectoryOfFile(const std::string& path);

// The browse button of a directory edit: a file-open dialog titled "参照";
// after OK text becomes the chosen file's directory. False on cancel.
bool BrowseForDirectory(std::string& text);

// The recorded form of page 117 (a frame command with its parameter block):
// five 32-bit switches, the tab count, 20 tab positions, the length of the
// kinsoku string and the string.
constexpr std::uint32_t kFrameCommandRecord = 512;
constexpr std::uint32_t kEditPageCommand = 32813;
std::vector<std::uint8_t> EditPageRecord(const EditPage& page, const TabPositionList& tabs);
// The values of a played-back record into page and tabs; false when the
// data is too short for what it declares.
bool ReadEditPageRecord(const std::vector<std::uint8_t>& data, EditPage& page, TabPositionList& tabs);

// Everything OK on the sheet does: records page 117, stores the values and
// lets the frame show what changed.
void ApplyCommonSettingsSheet(const CommonSettingsSheet& sheet, CommonSettingsEffects& effects);

}  // namespace quarn
