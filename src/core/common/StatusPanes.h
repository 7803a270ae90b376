// The status bar of the main frame: its panes and the fast text update the
// binary window makes on every caret placement.
#pragma once

#include <array>
#include <string>

namespace quarn {

namespace pane {
constexpr unsigned kOffsetHex = 59143;   // "0x" and "%.8X" of the caret offset
constexpr unsigned kOffsetDec = 59144;   // "%.8d" of the caret offset
constexpr unsigned kByteValue = 59147;   // "%.3d" of the byte at the caret
constexpr unsigned kOverwrite = 59145;   // "上書"
constexpr unsigned kReadOnly = 59146;    // "書禁"
constexpr unsigned kDecoding = 59477;    // "SJIS", "JIS", "EUC", "UNI"
constexpr unsigned kRecording = 59149;
}  // namespace pane

// The panes in order after the message pane (index 0).
constexpr std::array<unsigned, 7> kStatusPaneIds = {pane::kOffsetHex, pane::kOffsetDec, pane::kByteValue,
                                                    pane::kOverwrite, pane::kReadOnly,  pane::kDecoding,
                                                    pane::kRecording};

// The platform's status bar widget.
class StatusBarHost {
 public:
  virtual ~StatusBarHost() = default;
  // index 0 is the message pane, 1.. the panes of kStatusPaneIds.
  virtual void setPaneText(int index, const std::string& text) = 0;
  virtual void setPaneEnabled(int index, bool enabled) = 0;
  // The progress row of the message pane: its text and cells 0 to
  // cells - 1 filled one by one.
  virtual void showProgress(const std::string& /*text*/, int /*cells*/) {}
  virtual void stepProgress(int /*cell*/) {}
  virtual void endProgress() {}
};

// CVeskStatusBar keeps the last texts of the three caret panes so that an
// unchanged offset costs nothing.
class CVeskStatusBar {
 public:
  void SetHost(StatusBarHost* host) { host_ = host; }
  // Index of pane id, or -1.
  static int IndexOf(unsigned id);
  // Sets the pane's text; for the three caret panes only when it changed.
  void SetPaneTextFast(unsigned id, const std::string& text);
  void SetMessage(const std::string& text);
  // A notice stays in the message pane until ClearNotice, which the main
  // frame calls before each command.
  void ShowNotice(const std::string& text);
  void ClearNotice();
  // The update rule of a pane: disabled panes show no text.
  void SetPaneEnabled(unsigned id, bool enabled);
  const std::string& RememberedText(unsigned id) const;
  // The progress row shown while a cabinet's documents are reopened.
  void ShowProgress(const std::string& text, int cells) {
    if (host_) host_->showProgress(text, cells);
  }
  void StepProgress(int cell) {
    if (host_) host_->stepProgress(cell);
  }
  void EndProgress() {
    if (host_) host_->endProgress();
  }

 private:
  StatusBarHost* host_ = nullptr;
  bool noticeShown_ = false;
  std::array<std::string, 3> last_;
  std::array<int, kStatusPaneIds.size()> enabled_{};  // 0 unknown, 1 on, 2 off
};

// The status bar of the running program.
CVeskStatusBar& StatusBar();

}  // namespace quarn
