// The text window: shows a text document as rows of cells in the document
// type's font and colours, scrolls it by rows and columns, moves the caret
// with keys and the mouse, selects by stream or box and copies. A text
// document is a reading mode: every command that would change the text is
// recorded and refused. It talks to its surroundings only through its
// WindowHost.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/commands/CommandCatalogue.h"
#include "core/search/TextSearch.h"
#include "core/textview/CommentTables.h"
#include "core/textview/TextColouring.h"
#include "core/textview/TextLayout.h"
#include "core/textview/TextPainter.h"
#include "core/common/ViewChildren.h"
#include "platform/Canvas.h"
#include "platform/KeyCodes.h"
#include "platform/WindowHost.h"
#include "platform/WindowModel.h"

namespace quarn {

class CVeskDoc;

// Record types of the text window's operations.
namespace textrec {
constexpr std::uint32_t kHome = rec::kFirstKey;  // 16 to 25: Home, End, PageUp, PageDown, Right, Left, Down, Up, Insert, Escape
constexpr std::uint32_t kEscape = rec::kLastKey;
constexpr std::uint32_t kCommand = rec::kWindowCommand;
constexpr std::uint32_t kTypedText = rec::kTypedText;
constexpr std::uint32_t kDeleteKey = rec::kDeleteKey;
constexpr std::size_t kMaxTypedRecord = 4096;
}  // namespace textrec

// The identifier a movement key is recorded with: bit 0 Shift, bit 1 Ctrl.
std::uint32_t KeyStateId(KeyState state);

class CVeskEV : public TextWindowCommands, public TextSearchWindow {
 public:
  static constexpr int kDragTimer = 1;
  static constexpr int kDragTimerMs = 50;
  static constexpr int kAutoScrollTimer = 3;
  // Appended text scrolls, moves the caret and updates the status texts at
  // most once per frame of this timer.
  static constexpr int kAppendTimer = 4;
  static constexpr int kFrameMs = 16;

  CVeskEV(CVeskDoc& doc, WindowHost& host);
  ~CVeskEV() override;
  CVeskEV(const CVeskEV&) = delete;
  CVeskEV& operator=(const CVeskEV&) = delete;

  // ---- what the hosting view supplies ----
  void SetScreenFont(const LogFont& font, const TextMetric& metrics);
  // Shows the popup menu at a client point (the right button).
  void SetPopupHandler(std::function<void(Point)> handler) { popup_ = std::move(handler); }

  // ---- window handlers ----
  void OnCreate();
  void OnSize(int cx, int cy);
  void OnPaint(Canvas& canvas, const Rect& invalid);
  void OnVScroll(int code, int pos);
  void OnHScroll(int code, int pos);
  void OnKeyDown(int vk, int repeat, KeyState state);
  void OnChar(unsigned char byte, KeyState state);
  void OnImeString(const std::string& cp932);
  void OnMouse(MouseKind kind, int x, int y, KeyState state);
  void OnTimer(int id);
  void OnSetFocus();
  void OnKillFocus();

  // ---- TextWindowCommands ----
  bool OnTextCommand(unsigned id) override;
  bool HasSelection() const override { return selActive_; }
  std::pair<std::uint32_t, std::uint32_t> StreamSelectionRange() const override {
    if (!selActive_ || box_) return {0, 0};
    return {std::min(selStart_, selEnd_), std::max(selStart_, selEnd_)};
  }
  bool IsBoxSelection() const override { return selActive_ && box_; }
  void OnTextLoaded() override;
  void Reformat(bool full) override;
  void Refresh() override;
  void AppendText(const std::uint8_t* bytes, std::uint32_t n, bool redraw) override;
  void SetViewServices(TextViewServices* services) override { view_ = services; }
  PositionWords SavePosition() const override;
  void RestorePosition(const PositionWords& words) override;
  void GoToCell(int column, std::uint32_t row) override;

  // ---- commands ----
  void Copy();
  void AppendCopy();
  void SelectAll();
  // direction 1 next, 0 previous: the toolbar's find box.
  void FindNext(int direction);
  // A recorded operation played back (types 16 to 25, 256, 272, 288, 304,
  // 305); false when playback must stop.
  bool ReplayRecord(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) override;

  // ---- marks (TextMarks.cpp) ----
  void ToggleLineMark();
  void StepLineMark(bool forward);
  void ClearLineMarks();
  void ToggleCharMark();
  void StepCharMark(bool forward);
  void ClearCharMarks();
  // Asks for a line number (during playback the recorded one is taken).
  void JumpToLine();
  // The row where a tag jump landed, drawn with the tag-line background.
  void SetTagLine(std::uint32_t row);
  // The index of the line mark on a row.
  std::optional<std::size_t> IsMarkedRow(std::uint32_t row) const;
  // Scrolls a stretch of one row into view: a row out of view comes to the
  // middle of the window, columns likewise by half the visible columns.
  void ScrollIntoView(std::uint32_t pos, std::uint32_t length);

  // ---- state ----
  TextCell Caret() const { return caret_; }
  int GoalColumn() const { return goal_; }
  // The text position the caret stands before (TextLength at the end).
  std::uint32_t CaretOffset() const;
  const TextLayout& Layout() const { return layout_; }
  // The bytes a Copy would put on the clipboard.
  std::string SelectedText() const;
  // Anchor and caret positions; an empty range drops the selection.
  void SelectRange(std::uint32_t anchor, std::uint32_t caret);
  // Puts the caret on a cell (cut to the text), scrolling it into view.
  void MoveCaretTo(TextCell cell, bool freeCursor);
  const std::vector<std::uint32_t>& CommentOpens() const { return tables_.Opens(); }
  const std::vector<std::uint32_t>& CommentCloses() const { return tables_.Closes(); }

  // ---- TextSearchWindow ----
  CVeskDoc& Document() override { return doc_; }
  bool HasStreamSelection() const override { return selActive_ && !box_; }
  bool HasBlockSelection() const override { return selActive_ && box_; }
  void CancelBlockSelection() override;
  std::uint32_t SelectionStart() const override { return selStart_; }
  std::uint32_t SelectionEnd() const override { return selEnd_; }
  void CancelSelection() override;
  std::uint32_t CaretPos() const override { return CaretOffset(); }
  void ShowMatch(std::uint32_t pos, std::uint32_t length) override;
  void ShowReplaced(std::uint32_t pos, std::uint32_t length) override;
  void SetWaitCursor(bool on) override;

 private:
  // ---- geometry (CVeskEV.cpp) ----
  void ReadFormat();
  bool TablesKept() const;
  void RebuildTables();
  ColourRules Rules() const;
  CommentTables::Text Bytes() const;
  // The bytes from from to the end of the text, read without moving the store's window.
  CommentTables::Text TailBytes(std::uint32_t from) const;
  void UpdateScrollRanges();
  void ScrollRowsTo(std::int64_t row);
  void ScrollColumnsTo(std::int64_t column);
  void InvalidateRows(std::uint32_t first, std::uint32_t last);
  void InvalidateSelection();
  Rect TextArea() const;
  // What appends left waiting: the scroll ranges, the scroll to the caret.
  void ShowAppended();

  // ---- caret (TextCaret.cpp) ----
  TextCell CellOfPos(std::uint32_t pos) const;
  TextCell Normalized(TextCell cell, bool freeCursor) const;
  void ScrollIntoView(TextCell cell);
  void PlaceCaret(bool noScroll = false);
  void CreateCaret();
  void UpdateCaretShown();
  void ShowCaretPosition();
  // A key's move: the selection follows with Shift, else it is dropped.
  void MoveBy(TextCell cell, KeyState state, bool setGoal);
  void MoveKey(int vk, int repeat, KeyState state);
  void WordRight(KeyState state);
  void WordLeft(KeyState state);
  void ScrollByRow(int direction);
  void AutoScrollTick();
  void StopAutoScroll();
  bool FreeCursor() const;

  // ---- mouse (TextMouse.cpp) ----
  void LeftDown(int x, int y, KeyState state);
  void DragTo(int x, int y);
  void SelectWordAt(int x, int y, KeyState state);

  // ---- marks (TextMarks.cpp) ----
  bool OnMarkCommand(unsigned id);
  void MarksChanged(bool saved);
  void GoToRowStart(std::uint32_t row);
  void InvalidateStretch(std::uint32_t from, std::uint32_t to);

  // ---- refused changes (TextCommands.cpp) ----
  void RefuseCommand(unsigned id);
  void RefuseDelete(std::uint32_t count);
  void RefuseTyping(const std::string& bytes);
  void TypedBytes(const std::string& bytes);

  CVeskDoc& doc_;
  WindowHost& host_;
  TextLayout layout_;
  LogFont font_;
  TextMetric metrics_;
  CommentTables tables_;
  TextSearch search_;
  std::function<void(Point)> popup_;
  TextViewServices* view_ = nullptr;

  TextCell caret_;
  int goal_ = 0;
  bool selActive_ = false;
  bool box_ = false;
  std::uint32_t anchor_ = 0;
  std::uint32_t selStart_ = 0;  // [selStart_, selEnd_) of a stream selection
  std::uint32_t selEnd_ = 0;
  TextCell boxAnchor_;
  bool leadPending_ = false;
  std::uint8_t lead_ = 0;
  bool swallowChar_ = false;
  int autoScroll_ = 0;  // the arrow key, 0 when off
  bool dragging_ = false;
  bool focused_ = false;
  bool caretCreated_ = false;
  bool caretShown_ = false;
  bool appendTimer_ = false;    // the frame timer of appended text runs
  bool appendWaiting_ = false;  // the caret went behind appended text but is not shown there yet
  bool rangesStale_ = false;    // rows were appended since the scroll ranges were set
  std::optional<std::uint32_t> invalidFrom_;  // the first row appended text repaints, not yet invalidated
};

}  // namespace quarn
