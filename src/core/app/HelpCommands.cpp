#include "core/app/HelpCommands.h"

#include "core/common/AppMessage.h"
#include "core/common/ProgramDirectory.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"
#include "platform/DesktopService.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

const char* PageName(HelpSubject subject) {
  switch (subject) {
    case HelpSubject::kTextWindow: return "text.html";
    case HelpSubject::kBinaryWindow: return "binary.html";
    case HelpSubject::kGeneral: break;
  }
  return "index.html";
}

void Tell(const std::string& text) {
  if (MessageService* messages = Platform().messages)
    messages->messageBox(text, LoadString(57347), mb::kOk | mb::kIconAsterisk);
}

}  // namespace

std::string ManualDirectory() {
  FileSystem* files = Platform().files;
  const std::string executable = ExecutableDirectory();
  if (!files || executable.empty()) return {};
  for (const char* place : {"manual/", "../share/doc/quarn/manual/"}) {
    const std::string directory = executable + place;
    if (files->exists(directory + "index.html")) return directory;
  }
  return {};
}

std::string ManualPage(HelpSubject subject) {
  const std::string directory = ManualDirectory();
  return directory.empty() ? std::string() : directory + PageName(subject);
}

void OpenHelp(HelpSubject subject) {
  const std::string page = ManualPage(subject);
  if (page.empty()) {
    Tell(texts::kManualMissing);
    return;
  }
  DesktopService* desktop = Platform().desktop;
  if (desktop && desktop->openAddress(page)) return;
  const std::string text = texts::kManualNoBrowser;
  const std::size_t at = text.find("%1");
  Tell(at == std::string::npos ? text : text.substr(0, at) + page + text.substr(at + 2));
}

}  // namespace quarn
