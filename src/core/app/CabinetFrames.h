// What the cabinet needs of the main frame and the documents' child frames
// when it saves the list of open documents and reopens it.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace quarn {

class CVeskDoc;

class CabinetFrames {
 public:
  virtual ~CabinetFrames() = default;
  // The placement of the document's child frame, in the MDI area's
  // coordinates (showCmd 1 normal, 2 minimised, 3 maximised).
  virtual WindowPlacement Placement(CVeskDoc& doc) = 0;
  // Moves the frame to placement without showing it.
  virtual void SetPlacement(CVeskDoc& doc, const WindowPlacement& placement) = 0;
  // Shows the frame with a WINDOWPLACEMENT show command.
  virtual void Show(CVeskDoc& doc, std::uint32_t showCmd) = 0;
  virtual bool IsActive(CVeskDoc& doc) = 0;
  virtual void Activate(CVeskDoc& doc) = 0;
  virtual void Maximize(CVeskDoc& doc) = 0;
  // The main window's caption after the cabinet changed.
  virtual void SetCaption() {}
  // Lays out and redraws every window after a change of the document type.
  virtual void RelayoutAll() {}
};

}  // namespace quarn
