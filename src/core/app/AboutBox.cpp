#include "core/app/AboutBox.h"

#include "core/app/HelpCommands.h"

#include "core/common/AppMessage.h"
#include "core/common/ProgramDirectory.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

// The build passes these in; the defaults keep the file compiling alone.
#ifndef QUARN_VERSION
#define QUARN_VERSION "0"
#endif
#ifndef QUARN_HOMEPAGE
#define QUARN_HOMEPAGE ""
#endif
#ifndef QUARN_SOURCE_README
#define QUARN_SOURCE_README ""
#endif
#ifndef QUARN_BUILD_TYPE
#define QUARN_BUILD_TYPE ""
#endif

namespace quarn {
namespace {

// "%1" replaced by value.
std::string Filled(const std::string& text, const std::string& value) {
  std::string out = text;
  const std::size_t at = out.find("%1");
  if (at != std::string::npos) out.replace(at, 2, value);
  return out;
}

}  // namespace

AboutBoxRequest AboutBoxContents() {
  AboutBoxRequest request;
  request.title = texts::kAboutTitle;
  request.program = LoadString(57347);
  request.version = Filled(texts::kAboutVersion, QUARN_VERSION);
  std::string build = std::string(__DATE__) + " " + __TIME__;
  if (*QUARN_BUILD_TYPE) build += std::string(" (") + QUARN_BUILD_TYPE + ")";
  request.build = Filled(texts::kAboutBuild, build);
  request.manual = ManualPage(HelpSubject::kGeneral);
  return request;
}

std::string HomePageAddress() {
  if (*QUARN_HOMEPAGE) return QUARN_HOMEPAGE;
  if (std::string manual = ManualPage(HelpSubject::kGeneral); !manual.empty()) return manual;
  FileSystem* files = Platform().files;
  if (!files) return {};
  const std::string directory = ProgramDirectory();
  for (const std::string& path : {directory.empty() ? std::string() : directory + "README.md",
                                  codec::Utf8ToCp932(QUARN_SOURCE_README)})
    if (!path.empty() && files->exists(path)) return path;
  return {};
}

// Without a handler on the desktop the user is told where the page is.
void OpenHomePage() {
  DesktopService* desktop = Platform().desktop;
  const std::string address = HomePageAddress();
  if (!address.empty() && desktop && desktop->openAddress(address)) return;
  MessageService* messages = Platform().messages;
  if (!messages) return WarningBeep();
  const std::string text = address.empty() ? std::string(texts::kHomePageMissing) : Filled(texts::kHomePageNotOpened, address);
  messages->messageBox(text, LoadString(57347), mb::kOk | mb::kIconAsterisk);
}

void ShowAboutBox() {
  if (DesktopService* desktop = Platform().desktop) desktop->showAbout(AboutBoxContents());
}

}  // namespace quarn
