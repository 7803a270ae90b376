// The catalogue of commands: every command a user can bind, record, replay
// or put on a toolbar, with its name, the object that handles it and its
// place in the recordable command table by which macro files store it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

enum class CommandHandler { kFrame, kView, kApp, kDoc, kToolDialog };

struct CommandInfo {
  unsigned id;
  unsigned nameId;  // string-table entry of the name or prompt; 0: none
  CommandHandler handler;
  int recordIndex;  // position in the recordable command table; -1: none
};

// One row per command, in identifier order.
const std::vector<CommandInfo>& CommandCatalogue();
// The row of id, or null.
const CommandInfo* FindCommand(unsigned id);
// The menu text or the status-bar prompt (up to its line break), or "".
std::string CommandName(unsigned id);

// The recordable command table: 60 commands; 57 and 58 are fillers holding
// the write-protect switch, and 60 stands for any command not in it.
constexpr std::uint32_t kRecordableCount = 60;
constexpr std::uint32_t kUnknownCommandIndex = 60;
const std::array<unsigned, kRecordableCount>& RecordableCommandTable();
// The first index holding id, or 60.
std::uint32_t RecordableIndex(unsigned id);
// The command stored as index; 60 and above replay the write-protect switch.
unsigned RecordedCommand(std::uint32_t index);

// The map from the command identifiers of the older macro format, searched
// in order; an identifier in no pair stays as it is.
struct LegacyCommandPair {
  unsigned current;
  unsigned older;
};
const std::array<LegacyCommandPair, 58>& LegacyCommandMap();
unsigned CurrentCommandOf(unsigned older);

// A window that replays the records of its own commands and keys (the view);
// false when it refused one.
class RecordReplayer {
 public:
  virtual ~RecordReplayer() = default;
  virtual bool ReplayRecord(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) = 0;
};

// Where a replayed record goes: the frame's commands and the active view.
class ReplayTarget {
 public:
  virtual ~ReplayTarget() = default;
  // Sends a command to the frame as a menu would.
  virtual void SendFrameCommand(unsigned id) = 0;
  virtual RecordReplayer* ReplayView() = 0;
};

// Record types of recorded operations.
namespace rec {
constexpr std::uint32_t kFirstKey = 16;  // 16 to 25: the text window's movement keys
constexpr std::uint32_t kLastKey = 25;
constexpr std::uint32_t kWindowCommand = 256;
constexpr std::uint32_t kTypedText = 272;
constexpr std::uint32_t kDeleteKey = 288;
constexpr std::uint32_t kFindDialog = 304;
constexpr std::uint32_t kToolbarFind = 305;
constexpr std::uint32_t kFrameCommand = 512;
}  // namespace rec

// Replays one record (its command identifier already taken back out of the
// recordable table). False stops the playback: a window record while the
// active view shows a binary window, or one its text window refuses.
bool ReplayRecord(ReplayTarget& target, std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data);

}  // namespace quarn
