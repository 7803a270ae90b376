// The commands 32877 to 32880: open frequently used directory 1 to 4, then
// the File Open dialog there, or with Ctrl the active document's Save As.
#pragma once

#include "core/commands/CommandIds.h"

namespace quarn {

class CVeskDoc;
class DocTemplate;

constexpr unsigned kFirstDirectoryCommand = cmd::kFirstFrequentDirectory;
constexpr int kDirectoryCommands = 4;

// Command n (1 to 4) is enabled when at least n directories are set.
bool FrequentDirectoryEnabled(int n);

// Makes the n-th set directory current (a simple beep when it cannot be),
// then runs Save As on the active document when control is down, else
// File Open.
void OpenFrequentDirectory(DocTemplate& documents, CVeskDoc* active, int n, bool control);

}  // namespace quarn
