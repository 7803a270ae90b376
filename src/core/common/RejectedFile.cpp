#include "core/common/RejectedFile.h"

#include "core/common/AppMessage.h"
#include "core/res/StringTable.h"
#include "platform/FileSystem.h"
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
  std::string text = LoadString(id);
  if (!copy.empty()) text += "\n" + FormatText1(texts::kRejectedFileKept, copy);
  AppMessageText(text);
}

}  // namespace quarn
