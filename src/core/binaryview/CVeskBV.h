// The binary window: shows a binary document as a grid of fixed-pitch cells
// (header row, address, hex and text areas), scrolls it by rows and cell
// columns and keeps the caret and selection state that its drawing shows.
// It talks to its surroundings only through its WindowHost.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/binaryview/BinaryLayout.h"
#include "core/binaryview/BinaryPainter.h"
#include "core/binaryview/BinarySettings.h"
#include "platform/Canvas.h"
#include "platform/WindowHost.h"

namespace quarn {

class CVeskDoc;

class CVeskBV {
 public:
  // settings: the application-wide values, read again at every relayout.
  CVeskBV(CVeskDoc& doc, WindowHost& host, const BinaryViewSettings& settings = gBinarySettings);
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
  // scrolling is off (Up, Down, PageUp, PageDown, Home, End).
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

  bool HasSelection() const { return anchor_ != end_; }
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

 private:
  void ScrollRowsTo(std::int64_t row);
  void ScrollColumnsTo(std::int64_t column);
  void VScrollAsKey(int code);

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
};

}  // namespace quarn
