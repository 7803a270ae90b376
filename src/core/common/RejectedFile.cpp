#include "core/common/RejectedFile.h"

#include "core/res/StringTable.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// Copies of earlier runs are never written over; past this many the file
// is replaced without one.
constexpr int kMaxCopies = 99;

}  // namespace

std::string KeepRejectedFile(const std::string& path) {
  FileSystem* files = Platform().files;
  std::string bytes;
  if (!files || path.empty() || !files->readAll(path, bytes)) return {};
  for (int n = 1; n <= kMaxCopies; ++n) {
    const std::string copy = path + ".bad" + (n > 1 ? std::to_string(n) : std::string());
    if (!files->exists(copy)) return files->writeAll(copy, bytes) ? copy : std::string();
    std::string held;
    if (files->readAll(copy, held) && held == bytes) return copy;
  }
  return {};
}

void ShowRejectedFileMessage(unsigned id, const std::string& copy) {
  MessageService* messages = Platform().messages;
  if (!messages) return;
  std::string text = LoadString(id);
  if (!copy.empty()) {
    const std::string kept = texts::kRejectedFileKept;
    const std::size_t at = kept.find("%1");
    text += "\n" + kept.substr(0, at) + copy + kept.substr(at + 2);
  }
  messages->messageBox(text, LoadString(57347), mb::kOk | mb::kIconExclamation);
}

}  // namespace quarn
