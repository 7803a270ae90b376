// Undo and redo in the binary window: the top record of one store is
// carried out backwards and its opposite goes to the other store.
#include <vector>

#include "core/binaryview/CVeskBV.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"

namespace quarn {
namespace {

// The opposite record goes in when it fits; undo itself never asks. When
// it cannot be kept the opposite store is emptied: its older records were
// made for a text that now differs and would put bytes in wrong places.
void PushQuietly(CVeskDoc& doc, CVeskRD& store, std::uint32_t type, std::uint32_t pos, std::uint32_t n) {
  const bool carriesBytes = type == CVeskRD::kDeleted || type == CVeskRD::kReplacedOld || type == CVeskRD::kOverwrittenOld;
  if (carriesBytes && n > store.Capacity()) {
    store.Clear();
    return;
  }
  CVeskRD::Push(doc, store, type, pos, n, false);
}

std::vector<std::uint8_t> SavedBytes(const CVeskRD& store, const CVeskRD::Record& record) {
  const std::uint8_t* data = store.DataOf(record);
  return data ? std::vector<std::uint8_t>(data, data + record.length) : std::vector<std::uint8_t>();
}

}  // namespace

bool CVeskBV::CanUndo() const { return doc_.Undo().CanUse(); }
bool CVeskBV::CanRedo() const { return doc_.Redo().CanUse(); }

void CVeskBV::Undo() { UndoFrom(doc_.Undo(), doc_.Redo(), false); }
void CVeskBV::Redo() { UndoFrom(doc_.Redo(), doc_.Undo(), true); }

void CVeskBV::UndoFrom(CVeskRD& from, CVeskRD& to, bool redo) {
  if (!from.CanUse()) return;
  DropSelection();
  if (ReadOnlyBeep()) return;
  const CVeskRD::Record top = from.Last();
  switch (top.type) {
    case CVeskRD::kInserted:
      PushQuietly(doc_, to, CVeskRD::kDeleted, top.position, top.length);
      DeleteAt(top.position, top.length, true);
      from.PopLast();
      break;
    case CVeskRD::kDeleted: {
      const std::vector<std::uint8_t> bytes = SavedBytes(from, top);
      if (!EnsureRoom(top.length)) return;
      InsertAt(top.position, bytes.data(), std::uint32_t(bytes.size()), true);
      PushQuietly(doc_, to, CVeskRD::kInserted, top.position, std::uint32_t(bytes.size()));
      from.PopLast();
      break;
    }
    case CVeskRD::kOverwrittenNew:
    case CVeskRD::kReplacedNew: {
      // Redo takes only the binary window's own pairs.
      if (redo && top.type != CVeskRD::kOverwrittenNew) {
        from.PopLast();
        break;
      }
      if (from.Count() == 1) {
        from.Clear();
        break;
      }
      const CVeskRD::Record below = from.At(from.Count() - 2);
      if (below.type != top.type - 1) {
        from.PopLast();
        break;
      }
      const std::vector<std::uint8_t> old = SavedBytes(from, below);
      if (old.size() > top.length && !EnsureRoom(std::uint32_t(old.size()) - top.length)) return;
      PushQuietly(doc_, to, CVeskRD::kOverwrittenOld, top.position, top.length);
      DeleteAt(top.position, top.length, false);
      from.PopLast();
      InsertAt(below.position, old.data(), std::uint32_t(old.size()), true);
      PushQuietly(doc_, to, CVeskRD::kOverwrittenNew, below.position, std::uint32_t(old.size()));
      from.PopLast();
      break;
    }
    default:
      // A lone first half or an unknown record cannot be carried out.
      from.PopLast();
      break;
  }
  UpdateCaretShown();
}

}  // namespace quarn
