// The user tools, the run history of "プログラムの実行" and the toolbar's
// button list, kept together and stored as one block of the data file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

// What starts a program: the command (a program path, or with dosInternal a
// command for the shell), its parameters with "$" codes, the directory to
// run in (empty: inherited) and how.
struct RunEntry {
  std::string command;
  std::string parameters;
  std::string directory;
  bool dosInternal = false;
  bool redirect = false;
  bool iconic = false;
  friend bool operator==(const RunEntry&, const RunEntry&) = default;
};

enum class ToolKind : std::uint32_t { kProgram = 0, kOperation = 1, kSeparator = 2 };

struct UserTool {
  ToolKind kind = ToolKind::kProgram;
  std::string title;
  RunEntry run;  // for an operation: its name in run.command
  bool askParameters = false;
  friend bool operator==(const UserTool&, const UserTool&) = default;
};

class CMenuToolManeger {
 public:
  static constexpr std::size_t kMaxHistory = 20;
  static constexpr std::size_t kMaxTools = 20;
  static constexpr std::size_t kMaxButtons = 50;
  static constexpr unsigned kFirstToolCommand = 32851;
  static constexpr unsigned kLastToolCommand = 32870;

  std::vector<RunEntry> history;
  std::vector<UserTool> tools;
  std::vector<unsigned> toolbar;

  CMenuToolManeger();

  // Takes an entry of the same command out, moves the rest down (the 21st
  // falls off) and puts entry first.
  void AddToHistory(const RunEntry& entry);
  // The tool run by command 32851 + n - 1: the n-th tool that is not a
  // separator; null when there is none.
  UserTool* ToolOfCommand(unsigned id);
  // The title of the tool of a command 32851 to 32870, empty when none.
  std::string ToolTitle(unsigned id) const;
  bool HasTools() const;

  std::string SaveBlock() const;
  // False (nothing changed) when the block fails its check; 57668 in the
  // toolbar list becomes 57669.
  bool LoadBlock(const std::string& block);
};

extern CMenuToolManeger gMenuTools;

}  // namespace quarn
