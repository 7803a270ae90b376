#include "fakes/FakePlatform.h"

#include <algorithm>
#include <cstring>

#include "core/common/AppMessage.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"

namespace quarn::fakes {

int FakeMessages::messageBox(const std::string& text, const std::string& caption, unsigned style) {
  shown.push_back({text, caption, style});
  if (!answers.empty()) {
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  unsigned type = style & mb::kTypeMask;
  return (type == mb::kYesNo || type == mb::kYesNoCancel) ? answer::kYes : answer::kOk;
}

namespace {

// Reads its contents; or, made for a path, collects writes and replaces the
// file with them when closed after writes that all succeeded.
class MemoryFile : public File {
 public:
  explicit MemoryFile(std::string contents) : data_(std::move(contents)) {}
  MemoryFile(std::map<std::string, std::string>& files, std::string path, bool failWrites)
      : files_(&files), path_(std::move(path)), failWrites_(failWrites) {}
  std::int64_t length() override { return std::int64_t(data_.size()); }
  std::int64_t read(void* buffer, std::size_t n) override {
    std::size_t take = std::min(n, data_.size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, take);
    pos_ += take;
    return std::int64_t(take);
  }
  bool write(const void* buffer, std::size_t n) override {
    if (!files_ || failWrites_) return false;
    data_.append(static_cast<const char*>(buffer), n);
    return true;
  }
  bool close() override {
    if (files_ && !failWrites_) (*files_)[path_] = data_;
    return !failWrites_;
  }

 private:
  std::string data_;
  std::size_t pos_ = 0;
  std::map<std::string, std::string>* files_ = nullptr;
  std::string path_;
  bool failWrites_ = false;
};

}  // namespace

std::unique_ptr<File> FakeFileSystem::createReplacing(const std::string& path) {
  if (uncreatable.count(path) || directories.count(path) || readOnly.count(path)) return nullptr;
  return std::make_unique<MemoryFile>(files, path, failingWrites.count(path) > 0);
}

std::unique_ptr<File> FakeFileSystem::openRead(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end() || unreadable.count(path) || directories.count(path)) return nullptr;
  return std::make_unique<MemoryFile>(it->second);
}

bool FakeFileSystem::makeDirectories(const std::string& path) {
  if (path.empty() || files.count(path) || uncreatable.count(path)) return false;
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    directories.insert(path.substr(0, slash));
  directories.insert(path);
  return true;
}

bool FakeDialogs::fileDialog(FileDialogRequest& request) {
  requests.push_back(request);
  if (fileAnswers.empty()) return false;
  std::string answerPath = fileAnswers.front();
  fileAnswers.pop_front();
  if (answerPath.empty()) return false;
  request.fileName = answerPath;
  // The modes the user picks in turn; the last one is the answer.
  for (int mode : openModeChoices) {
    if (request.openModeChanged) request.openModeChanged(mode);
    request.openMode = mode;
  }
  openModeChoices.clear();
  return true;
}

// A refused OK beeps and leaves the dialog open.
static bool BeepUnless(bool accepted) {
  if (!accepted) WarningBeep();
  return accepted;
}

bool FakeDialogs::commonSettingsSheet(CommonSettingsRequest& request) {
  ++sheetsShown;
  return RunScript(sheetScript, request, [](auto& r) { return BeepUnless(r.check(r).control == 0); });
}

bool FakeDialogs::binarySettingsDialog(BinarySettingsRequest& request) {
  ++binaryDialogsShown;
  return RunScript(binaryScript, request, [](auto& r) { return BeepUnless(r.check(r) == 0); });
}

FakePlatform::FakePlatform() : saved_(Platform()) {
  Platform().messages = &messages;
  Platform().beep = &beep;
  Platform().files = &files;
  Platform().dialogs = &dialogs;
}

FakePlatform::~FakePlatform() { Platform() = saved_; }

std::size_t FakePlatform::CountShown(unsigned id) const {
  const std::string& text = LoadString(id);
  std::size_t count = 0;
  for (const auto& s : messages.shown) {
    if (id == msg::kOutOfMemory ? s.caption == texts::kMessageCaption : s.text == text) ++count;
  }
  return count;
}

}  // namespace quarn::fakes
