#include "core/app/OperationCommands.h"

#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationDialogs.h"
#include "core/res/StringTable.h"
#include "core/common/StatusPanes.h"

namespace quarn {
namespace {

// The throw-away allocation made before each of these commands.
constexpr std::size_t kOperationMemory = 0x20000;
constexpr char kRecordMnemonic[] = "(&R)";

}  // namespace

bool RunOperationCommand(COperationManeger& operations, unsigned id, const std::function<void(bool)>& waitCursor) {
  switch (id) {
    case cmd::kRecord:
      if (operations.IsRecording()) operations.StopRecording();
      else if (MemoryCheck(kOperationMemory)) operations.StartRecording();
      return true;
    case cmd::kPlay: {
      if (!MemoryCheck(kOperationMemory)) return true;
      const bool wait = waitCursor && operations.Count() > 0;
      if (wait) waitCursor(true);
      operations.Play();
      if (wait) waitCursor(false);
      return true;
    }
    case cmd::kSaveOperation:
      if (MemoryCheck(kOperationMemory)) SaveOperationCommand(operations);
      return true;
    case cmd::kLoadOperation:
      if (MemoryCheck(kOperationMemory)) LoadOperationCommand(operations);
      return true;
    default:
      return false;
  }
}

bool UpdateOperationCommand(const COperationManeger& operations, unsigned id, CommandState& state) {
  switch (id) {
    case cmd::kRecord:
      state.enabled = true;
      state.text = std::string(operations.IsRecording() ? texts::kRecordStop : texts::kRecordStart) + kRecordMnemonic;
      return true;
    case cmd::kPlay:
    case cmd::kSaveOperation:
      state.enabled = operations.Count() > 0;
      return true;
    case cmd::kLoadOperation:
      state.enabled = true;
      return true;
    case cmd::kCabinetKeywords:
      state.enabled = !operations.IsRecording();
      return true;
    case pane::kRecording:
      state.enabled = operations.IsRecording() || operations.IsPlaying();
      return true;
    default:
      return false;
  }
}

}  // namespace quarn
