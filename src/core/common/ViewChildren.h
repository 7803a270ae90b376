// What the view host needs of the windows it holds: the commands of the
// binary window that the view routes to it, and the placing of the child
// windows, which the platform's widgets carry out.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Types.h"

namespace quarn {

// The three words a cabinet keeps for a document's window: the text
// window's top row, caret column and caret row, or the binary window's top
// row and caret position and 0.
using PositionWords = std::array<std::uint32_t, 3>;

class BinaryWindowCommands {
 public:
  virtual ~BinaryWindowCommands() = default;
  virtual void Copy() = 0;
  virtual void Cut() = 0;
  virtual void Paste() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void ClearMarks() = 0;
  virtual void NextMark() = 0;
  virtual void PrevMark() = 0;
  virtual void ToggleMark() = 0;
  virtual void FindDialog() = 0;
  virtual void ReplaceDialog() = 0;
  virtual void Jump() = 0;
  virtual void SelectAll() = 0;
  virtual void ScreenCopy() = 0;
  // direction 1 next, 0 previous.
  virtual void FindNext(int direction) = 0;

  virtual bool HasSelection() const = 0;
  // The selected bytes [first, end); empty without a selection.
  virtual std::pair<std::uint32_t, std::uint32_t> SelectedBytes() const { return {0, 0}; }
  virtual void DropSelectionForPrint() {}
  virtual bool CanPaste() const = 0;
  virtual bool CanUndo() const = 0;
  virtual bool CanRedo() const = 0;

  // Recomputes the layout from the document's format (hints 32 and 128).
  virtual void RecomputeLayout() = 0;

  virtual PositionWords SavePosition() const { return {}; }
  // Applied only when the top row is below the window's number of rows.
  virtual void RestorePosition(const PositionWords& /*words*/) {}
};

// What the text window tells its view: the caret's cell and the scroll
// origins, which the column ruler and the line bar follow.
class TextViewServices {
 public:
  virtual ~TextViewServices() = default;
  virtual void CaretMoved(int column, std::uint32_t row) = 0;
  virtual void HorizontalScroll(int firstColumn) = 0;
  virtual void VerticalScroll(std::uint32_t topRow) = 0;
};

// What the view needs of the text window: the commands of its table in
// text mode, their enable state and the document's update hints.
class TextWindowCommands {
 public:
  virtual ~TextWindowCommands() = default;
  // A command the view routes to the text window; false when it is not one.
  virtual bool OnTextCommand(unsigned id) = 0;
  virtual bool HasSelection() const = 0;
  virtual bool IsBoxSelection() const = 0;
  // The stream selection's bytes [first, end); empty without one.
  virtual std::pair<std::uint32_t, std::uint32_t> StreamSelectionRange() const { return {0, 0}; }
  // Hint 16: the document's text was laid out anew.
  virtual void OnTextLoaded() = 0;
  // Hint 32 (full) and 35: the format's values are read again.
  virtual void Reformat(bool full) = 0;
  // Hint 34.
  virtual void Refresh() = 0;
  // Hints 48 to 50: bytes appended at the end of the text; with redraw the
  // new text is shown and the caret moves behind it.
  virtual void AppendText(const std::uint8_t* bytes, std::uint32_t n, bool redraw) = 0;
  // The view the window reports its caret and scrolling to (null: none).
  virtual void SetViewServices(TextViewServices* services) = 0;
  // The cabinet's position words: the top row, then the caret's column and row.
  virtual PositionWords SavePosition() const = 0;
  virtual void RestorePosition(const PositionWords& words) = 0;
  // The caret to a cell, the window scrolled to show it (the command line's
  // line and column).
  virtual void GoToCell(int column, std::uint32_t row) = 0;
  // Plays one recorded record of the window; false stops the playback.
  virtual bool ReplayRecord(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) = 0;
};

enum class ViewChild { kTextWindow, kColumnRuler, kLineBar, kBinaryWindow };

class ChildPlacer {
 public:
  virtual ~ChildPlacer() = default;
  virtual void MoveChild(ViewChild child, const Rect& rect) = 0;
  virtual void ShowChild(ViewChild child, bool show) = 0;
  virtual void FocusChild(ViewChild child) = 0;
  // Makes the screen font again from the document's font (format changed).
  virtual void RecreateScreenFont() {}
  // Repaints every child (the default of the update hints).
  virtual void InvalidateChildren() {}
  // A ruler switch was flipped in this view: every other view lays its
  // rulers out again, since the switches are global.
  virtual void RulersSwitched() {}
};

}  // namespace quarn
