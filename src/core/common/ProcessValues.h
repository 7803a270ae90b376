// Process-wide values that start-up sets from the settings and the rest of
// the program reads.
#pragma once

#include <cstdint>

namespace quarn {

struct ProcessValues {
  // Document limits, from "MaxEditRange".
  std::uint32_t maxBytes = 314572800;
  std::uint32_t maxRows = 1000000;
  // Size of each undo and redo byte area.
  std::uint32_t undoBufferSize = 32768;
  // DocKind the next constructed document takes: 1 text, 2 binary.
  int nextDocKind = 1;
  // Set while dropped files are being opened: the constructor leaves
  // nextDocKind alone then.
  bool droppingFiles = false;
  // The overwrite flag of every binary window ("StartWithOverWrite" at
  // start-up), shown by the status pane "上書".
  bool overwrite = false;
  // Set while a cabinet's documents are reopened: their frames are made
  // hidden and shown with their stored placement afterwards.
  bool reopeningCabinet = false;
};

inline ProcessValues gProcess;

// Sets the limits for "MaxEditRange" m: 300 MB and 1,000,000 rows for 0,
// m x 10 MB and m x 100,000 rows for 1 to 50.
void SetDocumentLimits(int maxEditRange);

}  // namespace quarn
