// The binary window: shows a binary document as a grid of fixed-pitch cells
// (header row, address, hex and text areas), scrolls it by rows and cell
// columns and keeps the caret and selection state that its drawing shows.
// It talks to its surroundings only through its WindowHost.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/binaryview/BinaryLayout.h"
#include "core/binaryview/BinaryPainter.h"
#include "core/common/BinarySettings.h"
#include "core/common/ViewChildren.h"
#include "core/search/BytePattern.h"
#include "platform/Canvas.h"
#include "platform/FindDialogService.h"
#include "platform/KeyCodes.h"
#include "platform/WindowHost.h"
#include "platform/WindowModel.h"

namespace quarn {

class CVeskDoc;
class CVeskRD;

class CVeskBV : public BinaryWindowCommands, public FindDialogClient {
 public:
  static constexpr int kDragTimer = 1;
  static constexpr int kDragTimerMs = 50;

  // settings: the application-wide values, read again at every relayout.
  CVeskBV(CVeskDoc& doc, WindowHost& host, const BinaryViewSettings& settings = gBinarySettings);
  ~CVeskBV() override;
  CVeskBV(const CVeskBV&) = delete;
  CVeskBV& operator=(const CVeskBV&) = delete;

  // ---- what the hosting view supplies ----
  // The view's screen font (made for the screen, negative pixel height) and
  // its metrics.
  void SetScreenFont(const LogFont& font, const TextMetric& metrics);
  // The current document type's text and background colours.
  void SetColors(const BinaryColors& colors) { colors_ = colors; }
  // The document's marked positions, sorted; null for none.
  void SetMarks(const std::vector<std::uint32_t>* marks) { marks_ = marks; }
  // Receives the key a vertical scroll action stands for while vertical
  // scrolling is off (Up, Down, PageUp, PageDown, Home, End); without one
  // the window's own key handling takes it.
  void SetScrollKeyHandler(std::function<void(int vk)> handler) { scrollKey_ = std::move(handler); }

  // ---- window handlers ----
  // Clears caret, selection and scroll origins and lays the grid out.
  void OnCreate();
  void OnSize(int cx, int cy);
  // Format or fonts changed (hint 32) and binary loaded (hint 128).
  void Relayout();
  void OnPaint(Canvas& canvas, const Rect& invalid);
  void OnVScroll(int code, int pos);
  void OnHScroll(int code, int pos);

  // ---- state shown by the drawing (the editing code moves it) ----
  std::uint32_t CaretPos() const { return caretPos_; }
  BinaryArea CaretArea() const { return caretArea_; }
  bool LowNibble() const { return lowNibble_; }
  // Stores the caret (cut to TextLength) and invalidates the underlined
  // rows that change; no scrolling.
  void SetCaretState(std::uint32_t pos, BinaryArea area, bool lowNibble);
  // The caret's pixel point: its cell in the caret area, behind the two
  // digits while the second digit is awaited.
  Point CaretPoint() const;

  std::uint32_t SelectionAnchor() const { return anchor_; }
  std::uint32_t SelectionEnd() const { return end_; }
  // The selected bytes first..last, both inclusive (valid while active).
  std::uint32_t SelectionFirst() const { return std::min(anchor_, end_); }
  std::uint32_t SelectionLast() const { return std::max(anchor_, end_) - 1; }
  // Anchor and moving end (cut to TextLength); active while they differ.
  // The rows of the old and the new range are invalidated.
  void SetSelection(std::uint32_t anchor, std::uint32_t end);
  void DropSelection();

  // ---- geometry and invalidation for the editing code ----
  const BinaryLayout& Layout() const { return layout_; }
  const BinaryViewSettings& Settings() const { return settings_; }
  CVeskDoc& Document() { return doc_; }
  WindowHost& Host() { return host_; }
  // Sets the scroll bars from the layout; cuts the scroll origins to them.
  void UpdateScrollBars();
  // Invalidates the visible rows holding the positions first..last.
  void InvalidatePositions(std::uint32_t first, std::uint32_t last);
  // Invalidates the caret's row when an underline is drawn.
  void InvalidateUnderlines();

  // ---- caret (BinaryCaret.cpp) ----
  // Moves the caret to pos (cut to TextLength), scrolling it into view
  // unless noScroll, makes the caret again when recreate, and writes the
  // status panes.
  void PlaceCaret(std::uint32_t pos, bool lowNibble, bool recreate = false, bool noScroll = false);
  // Scrolls row into the middle of the window unless shown, then places
  // the caret at pos.
  void BringRowIntoView(std::uint32_t row, std::uint32_t pos);
  int RememberedColumn() const { return rememberedColumn_; }

  // ---- input (BinaryInput.cpp) ----
  void OnKeyDown(int vk, KeyState state);
  void OnChar(unsigned char byte, KeyState state);
  void OnImeString(const std::string& cp932);
  void OnMouse(MouseKind kind, int x, int y, KeyState state);
  void OnTimer(int id);
  void OnSetFocus();
  void OnKillFocus();

  // ---- editing (BinaryEditing.cpp) ----
  // The typed bytes at the caret, in the caret's area, by the overwrite flag.
  void TypeBytes(const std::uint8_t* bytes, std::uint32_t n);
  // False when nothing changed (read-only, too large, or refused).
  bool Insert(const std::uint8_t* bytes, std::uint32_t n);
  bool Overwrite(const std::uint8_t* bytes, std::uint32_t n);
  // count 1 for the Delete key, 0 for the other deletions; false when
  // nothing was deleted (read-only, nothing there, or refused).
  bool DeleteSelectionOrByte(std::uint32_t count);
  // True (after a beep) when the document is read-only.
  bool ReadOnlyBeep();

  // ---- the view's commands (BinaryCommands.cpp, BinaryUndo.cpp) ----
  void Copy() override;
  void Cut() override;
  void Paste() override;
  void Undo() override;
  void Redo() override;
  void ClearMarks() override;
  void NextMark() override;
  void PrevMark() override;
  void ToggleMark() override;
  void FindDialog() override;
  void ReplaceDialog() override;
  void Jump() override;
  void SelectAll() override;
  void ScreenCopy() override;
  void FindNext(int direction) override;
  bool HasSelection() const override { return anchor_ != end_; }
  std::pair<std::uint32_t, std::uint32_t> SelectedBytes() const override {
    return {std::min(anchor_, end_), std::max(anchor_, end_)};
  }
  void DropSelectionForPrint() override { DropSelection(); }
  bool CanPaste() const override;
  bool CanUndo() const override;
  bool CanRedo() const override;
  void RecomputeLayout() override;
  PositionWords SavePosition() const override { return {layout_.FirstRow(), caretPos_, 0}; }
  void RestorePosition(const PositionWords& words) override;
  // ---- search (BinarySearch.cpp) ----
  void OnFindDialogMessage(FindAction action, const FindDialogFields& fields) override;
  // The search text as the caret's area reads it: hex digits in the hex
  // area (always case-exact), the text's bytes in the text area with the
  // escape sequences translated when "EnRexp" is on. Nothing (after a
  // beep) for an invalid hex pattern.
  std::optional<BytePattern> PatternOf(const std::string& text, bool matchCase) const;
  // Selects the next (down) or previous match from the caret; false, after
  // a beep, when there is none.
  bool SearchAndSelect(const BytePattern& pattern, bool down);
  // Replaces the selected match and searches on; a beep without a selection.
  void ReplaceSelection(const BytePattern& find, const BytePattern& replacement, bool down);
  // Replaces every match from the start; the count (0 after a beep).
  std::uint32_t ReplaceAll(const BytePattern& find, const BytePattern& replacement);

  // The rows the selection touches as the screen shows them, for the
  // screen copy.
  std::string ScreenText() const;

 private:
  void ScrollRowsTo(std::int64_t row);
  void ScrollColumnsTo(std::int64_t column);
  void VScrollAsKey(int code);
  // The caret's image and the input method's window follow a scroll.
  void FollowScroll();
  // The caret moved by a key: the selection follows with Shift.
  void ShiftMove(std::uint32_t pos, KeyState state, bool setColumn = true);
  bool EnsureRoom(std::uint32_t n);
  void InsertAt(std::uint32_t pos, const std::uint8_t* bytes, std::uint32_t n, bool redraw);
  void DeleteAt(std::uint32_t pos, std::uint32_t n, bool redraw);
  void DragTo(int x, int y);
  void UndoFrom(CVeskRD& from, CVeskRD& to, bool redo);
  void GoToMark(std::uint32_t pos);
  void ScrollCaretIntoView(std::uint32_t pos, BinaryArea area);
  // The dialog's starting find text: the selection as the caret's area
  // shows it, when it fits, else the newest history entry.
  std::string InitialFindText() const;
  void OpenFindDialog(bool findOnly);
  // Shows the match pos..pos+n as the selection with its row in view.
  void SelectMatch(std::uint32_t pos, std::uint32_t n);
  // Shows the caret while the window has the focus and no selection.
  void UpdateCaretShown();

  CVeskDoc& doc_;
  WindowHost& host_;
  const BinaryViewSettings& source_;
  BinaryViewSettings settings_;
  BinaryLayout layout_;
  BinaryColors colors_;
  LogFont font_;
  TextMetric metrics_;
  const std::vector<std::uint32_t>* marks_ = nullptr;
  std::function<void(int)> scrollKey_;

  std::uint32_t caretPos_ = 0;
  BinaryArea caretArea_ = BinaryArea::kHex;
  bool lowNibble_ = false;
  std::uint32_t anchor_ = 0;
  std::uint32_t end_ = 0;
  int rememberedColumn_ = 0;
  bool dragging_ = false;
  bool leadPending_ = false;
  std::uint8_t lead_ = 0;
  bool focused_ = false;
  bool caretCreated_ = false;
  bool caretShown_ = false;
};

}  // namespace quarn
