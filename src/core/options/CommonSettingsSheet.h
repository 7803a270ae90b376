// The common-settings sheet shown while a text document is active: the
// pages "編集", "ディレクトリ", "表示" and "スクロール", loaded from the
// settings, checked on OK and applied with all their effects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/TabPositions.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppSettings.h"
#include "core/options/CommonSettingsEffects.h"
#include "core/options/ControlIds.h"
#include "platform/SettingsDialogs.h"

namespace quarn {

// Page 117 "編集".
struct EditPage : EditPageFields {
  // 0 when the page may be left, else the control that refuses its text.
  int Check() const;
};

// Page 127 "ディレクトリ".
using DirectoryPage = DirectoryPageFields;

// Page 140 "表示".
struct ViewPage : ViewPageFields {
  int Check() const;
};

// Page 128 "スクロール".
struct ScrollPage : ScrollPageFields {
  int Check() const;
};

struct CommonSettingsSheet {
  EditPage edit;
  DirectoryPage directories;
  ViewPage view;
  ScrollPage scroll;

  static CommonSettingsSheet FromSettings(const AppSettings& s);

  // The first refusal on the pages in their order.
  using Fault = SettingsRefusal;
  Fault Check() const;

  // What the dialog service shows: these fields with this sheet's checks
  // and the browse button's file dialog.
  CommonSettingsRequest Request() const;
  // The fields of a request the dialog handed back.
  static CommonSettingsSheet FromRequest(const CommonSettingsRequest& request);
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
constexpr std::uint32_t kEditPageCommand = cmd::kSettingsCommand;
std::vector<std::uint8_t> EditPageRecord(const EditPage& page, const TabPositionList& tabs);
// The values of a played-back record into page and tabs; false when the
// data is too short for what it declares.
bool ReadEditPageRecord(const std::vector<std::uint8_t>& data, EditPage& page, TabPositionList& tabs);

// Everything OK on the sheet does: records page 117, stores the values and
// lets the frame show what changed.
void ApplyCommonSettingsSheet(const CommonSettingsSheet& sheet, CommonSettingsEffects& effects);

}  // namespace quarn
