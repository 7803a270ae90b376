// Find and replace in a text window: where a search starts, how it wraps,
// replace and replace all with their undo records, the toolbar's find box,
// the dialog's actions and their recorded forms. The text window lends its
// selection, caret and display through TextSearchWindow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FindDialogService.h"

namespace quarn {

class CVeskDoc;

class TextSearchWindow {
 public:
  virtual ~TextSearchWindow() = default;
  virtual CVeskDoc& Document() = 0;
  virtual bool HasStreamSelection() const = 0;
  virtual bool HasBlockSelection() const = 0;
  virtual void CancelBlockSelection() = 0;
  // The selected bytes [start, end).
  virtual std::uint32_t SelectionStart() const = 0;
  virtual std::uint32_t SelectionEnd() const = 0;
  virtual void CancelSelection() = 0;
  virtual std::uint32_t CaretPos() const = 0;
  // Selects the match, puts the caret on it and scrolls it into view (only
  // from behind the dialog while one is open).
  virtual void ShowMatch(std::uint32_t pos, std::uint32_t length) = 0;
  // The bytes at pos were replaced by length bytes: repaint, caret after them.
  virtual void ShowReplaced(std::uint32_t pos, std::uint32_t length) = 0;
  virtual void SetWaitCursor(bool /*on*/) {}
};

struct TextMatch {
  std::uint32_t pos = 0;
  std::uint32_t length = 0;
};

// 0 a normal search, 1 the first search of a replace all (from the top, no
// wrap), 2 the following ones (from the caret, no wrap).
enum class ContinueMode { kNormal = 0, kFirst = 1, kFollowing = 2 };

class TextSearch : public FindDialogClient {
 public:
  explicit TextSearch(TextSearchWindow& window) : window_(window) {}
  ~TextSearch() override;
  TextSearch(const TextSearch&) = delete;
  TextSearch& operator=(const TextSearch&) = delete;

  // The match find next would select, without showing it.
  std::optional<TextMatch> Find(const std::string& text, bool down, bool matchCase,
                                ContinueMode mode = ContinueMode::kNormal);
  // Shows the match, or beeps; false when none was found.
  bool FindNext(const std::string& text, bool down, bool matchCase, ContinueMode mode = ContinueMode::kNormal);
  void Replace(const std::string& find, bool down, bool matchCase, const std::string& replacement);
  // The number of replacements (0 after a beep when nothing matched).
  std::uint32_t ReplaceAll(const std::string& find, const std::string& replacement, bool matchCase);
  // Find next (down) or previous from the toolbar's find box, or from the
  // played-back text when given.
  void ToolbarFind(bool down, const std::string* playbackText = nullptr);
  void OpenFind(bool findOnly);
  void OnFindDialogMessage(FindAction action, const FindDialogFields& fields) override;

  // Replay of the recorded forms; false when the record is refused.
  bool ReplayDialogRecord(const std::vector<std::uint8_t>& data);
  bool ReplayToolbarRecord(std::uint32_t id, const std::vector<std::uint8_t>& data);
  // The selected bytes replaced as two undo steps (the deletion, then the
  // insertion); false when the text would grow too long.
  bool ReplaceSelectionWith(const std::string& replacement);

 private:
  void RunDialogAction(FindAction action, const FindDialogFields& fields);
  bool SelectionIsText(const std::string& text, bool matchCase);

  TextSearchWindow& window_;
};

}  // namespace quarn
