// The application's file commands: File New, File Open with its mode list,
// and the recent files. A document made without a chosen mode is binary.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quarn {

class CVeskDoc;
class DocTemplate;

// The open modes of the File Open dialog's "用途" list.
enum OpenMode : int { kOpenAuto = 0, kOpenText = 1, kOpenBinary = 2, kOpenCabinet = 3 };

CVeskDoc* FileNew(DocTemplate& documents);
// Shows the open dialog with the current document type's filter list and
// opens the chosen file in the chosen mode. Null when nothing was opened.
CVeskDoc* FileOpen(DocTemplate& documents);
// Opens the file in mode; the write-protect flag follows readOnly.
CVeskDoc* OpenInMode(DocTemplate& documents, const std::string& path, int mode, bool readOnly);
// Opens recent file index (0-based); an entry that cannot be opened is
// dropped from the list.
CVeskDoc* OpenRecentFile(DocTemplate& documents, std::size_t index);
// Files dropped on the main window: every one becomes a binary document.
void OpenDroppedFiles(DocTemplate& documents, const std::vector<std::string>& paths);

}  // namespace quarn
