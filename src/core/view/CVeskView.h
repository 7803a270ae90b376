// The view of a document: a host that paints nothing, lays out the windows
// that do the work and routes the edit and view commands to the text window
// or the binary window by the kind of the document, asked afresh each time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "core/cabinet/DeviceUnits.h"
#include "core/commands/CommandCatalogue.h"
#include "core/document/CVeskDoc.h"
#include "core/rulers/CLineBar.h"
#include "core/rulers/CRulerBar.h"
#include "core/common/ViewChildren.h"
#include "core/common/AppSettings.h"
#include "platform/CommandState.h"

namespace quarn {

class CVeskView : public DocumentView, public TextViewServices, public RecordReplayer {
 public:
  CVeskView(CVeskDoc& doc, ChildPlacer& placer);
  ~CVeskView() override;
  CVeskView(const CVeskView&) = delete;
  CVeskView& operator=(const CVeskView&) = delete;

  CVeskDoc& GetDocument() const { return doc_; }
  bool IsTextMode() const { return doc_.DocKind() == kTextDoc; }

  // Creation: false when the document has no row table. The binary window
  // is attached by its creator (null for a text document).
  bool OnCreate(int dpiX, int dpiY);
  void AttachBinaryWindow(BinaryWindowCommands* window) { binary_ = window; }
  BinaryWindowCommands* BinaryWindow() const { return binary_; }
  // The text window, attached by its creator for every document.
  void AttachTextWindow(TextWindowCommands* window);
  TextWindowCommands* TextWindow() const { return text_; }
  // The column ruler and the line bar, attached by their creator (null:
  // none). They follow the caret and the scrolling of the text window.
  void AttachRulers(CRulerBar* ruler, CLineBar* lineBar);
  // The rulers shown or hidden by the global switches and the children
  // placed again (after a switch flipped in another view or the settings).
  void RelayoutRulers();

  void OnSize(int cx, int cy);
  void OnSetFocus();
  void OnUpdate(CVeskDoc& doc, int hint) override;

  // True when the view handles the command.
  bool OnCommand(unsigned id);
  bool OnUpdateCommand(unsigned id, CommandState& state);
  // A recorded window record: the text window plays it; a binary window
  // cannot, and the playback stops.
  bool ReplayRecord(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) override {
    return IsTextMode() && text_ && text_->ReplayRecord(type, id, data);
  }

  // The document's font made for the screen: its height in points becomes
  // a negative pixel height at the vertical dpi, its width 0.
  static LogFont ScreenFontOf(const LogFont& documentFont, int dpiY);

  // The caret the command line asks for ("/L" and "/C", zero-based), put in
  // place by the text window once it shows the document.
  struct TextCaret {
    std::uint32_t line = 0;
    std::uint32_t column = 0;
  };
  // The command line's caret: given to the text window at once when there is
  // one, else kept for it.
  void SetPendingTextCaret(std::uint32_t line, std::uint32_t column);
  std::optional<TextCaret> TakePendingTextCaret() { return std::exchange(pendingCaret_, std::nullopt); }

  // The position words the cabinet keeps: the binary window's, or the text
  // window's as its source answers them (the restored ones until it has one).
  PositionWords SavePosition() const;
  // For a text document the words are kept for the text window when their
  // top row is below the document's number of rows.
  void RestorePosition(const PositionWords& words);
  std::optional<PositionWords> TakePendingTextPosition() { return std::exchange(pendingPosition_, std::nullopt); }
  // TextViewServices, text mode only: what the column ruler and the line
  // bar show, the caret's cell and the text window's scroll origins.
  void CaretMoved(int column, std::uint32_t row) override;
  void HorizontalScroll(int firstColumn) override;
  void VerticalScroll(std::uint32_t topRow) override;
  struct RulerMarks {
    int caretColumn = 0;
    std::uint32_t caretRow = 0;
    int firstColumn = 0;
    std::uint32_t topRow = 0;
  };
  const RulerMarks& Rulers() const { return rulers_; }

  int RulerHeight() const { return rulerHeight_; }
  int LineBarWidth() const { return lineBarWidth_; }

 private:
  void ToggleRuler(int AppSettings::*flag);
  bool RouteBinary(unsigned id);
  bool UpdateTextCommand(unsigned id, CommandState& state);
  void OnTextUpdate(CVeskDoc& doc, int hint);

  CVeskDoc& doc_;
  ChildPlacer& placer_;
  BinaryWindowCommands* binary_ = nullptr;
  TextWindowCommands* text_ = nullptr;
  CRulerBar* ruler_ = nullptr;
  CLineBar* lineBar_ = nullptr;
  Point client_;
  int rulerHeight_ = 0;
  int lineBarWidth_ = 0;
  std::optional<TextCaret> pendingCaret_;
  std::optional<PositionWords> pendingPosition_;
  RulerMarks rulers_;
};

}  // namespace quarn
