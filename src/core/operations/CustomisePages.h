// The user tool, toolbar and mouse pages of the customisation sheet: working
// copies of the tools, the toolbar's button list and the popup menu's list,
// with what the pages' buttons do to them. OK copies them back.
#pragma once

#include <string>
#include <vector>

#include "core/operations/CMenuToolManeger.h"

namespace quarn {

struct CustomisePages {
  // Copies of gMenuTools' tools and buttons and gPopup's list.
  CustomisePages();

  // ---- "ユーザツール": the selected tool, -1 none ----
  std::vector<UserTool> tools;
  int tool = -1;
  // The list's texts: titles, a line for a separator.
  std::vector<std::string> ToolTexts() const;
  // 32830: a program tool titled after the file (its first letter in upper
  // case), 32831: an operation tool, 32832: a separator; added at the end and
  // selected. With 20 tools 59441 instead and false.
  bool AddProgramTool(const std::string& path);
  bool AddOperationTool(const std::string& name);
  bool AddSeparator();
  void MoveTool(int step);  // -1 up, +1 down; nothing at the ends
  void RemoveTool();

  // ---- "ツールバー" ----
  std::vector<unsigned> buttons;
  int button = -1;
  // The 16 commands of the button images, the separator and the find box.
  static const std::vector<unsigned>& AvailableButtons();
  static std::string ButtonText(unsigned id);
  // Appended and selected; a beep with 50 entries or a second find box.
  void AddButton(unsigned id);
  void MoveButton(int step);
  void RemoveButton();
  void DefaultButtons();

  // ---- the mouse page: the popup menu's list, -1 a separator ----
  std::vector<int> popup;
  int popupEntry = -1;
  // The menu commands, then the others, then the separator.
  static std::vector<int> AvailablePopup();
  static std::string PopupText(int id);
  void AddPopup(int id);  // a beep with 30 entries
  void MovePopup(int step);
  void RemovePopup();
  void DefaultPopup();

  // OK: the copies go back to their owners.
  void Apply() const;
};

// The pages of the sheet while it is open (null otherwise): the platform's
// sheet shows and edits them.
CustomisePages*& OpenCustomisePages();

}  // namespace quarn
