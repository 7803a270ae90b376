#include "core/app/FrequentDirectories.h"

#include <algorithm>
#include <string>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/common/Settings.h"
#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

int SetCount() {
  const auto& d = gSettings.FrequentlyUsedDirectory;
  return int(std::count_if(d.begin(), d.end(), [](const std::string& s) { return !s.empty(); }));
}

// The n-th directory that is set (the list is kept packed, but a list
// edited in the file may not be).
std::string NthSet(int n) {
  for (const std::string& directory : gSettings.FrequentlyUsedDirectory)
    if (!directory.empty() && --n == 0) return directory;
  return {};
}

}  // namespace

bool FrequentDirectoryEnabled(int n) { return n >= 1 && n <= kDirectoryCommands && SetCount() >= n; }

void OpenFrequentDirectory(DocTemplate& documents, CVeskDoc* active, int n, bool control) {
  if (!FrequentDirectoryEnabled(n)) return;
  FileSystem* files = Platform().files;
  if (!files || !files->setCurrentDirectory(NthSet(n))) SimpleBeep();
  if (control) {
    if (active && active->DoSave({}, true)) documents.Recent().Add(active->GetPathName());
  } else {
    FileOpen(documents);
  }
}

}  // namespace quarn
