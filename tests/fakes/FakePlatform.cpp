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

class MemoryFile : public File {
 public:
  explicit MemoryFile(std::string contents) : data_(std::move(contents)) {}
  std::int64_t length() override { return std::int64_t(data_.size()); }
  std::int64_t read(void* buffer, std::size_t n) override {
    std::size_t take = std::min(n, data_.size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, take);
    pos_ += take;
    return std::int64_t(take);
  }
  bool write(const void*, std::size_t) override { return false; }
  bool close() override { return true; }

 private:
  std::string data_;
  std::size_t pos_ = 0;
};

// Writes collect aside and replace the file's contents when it is closed
// after writes that all succeeded.
class ReplacingMemoryFile : public File {
 public:
  ReplacingMemoryFile(std::map<std::string, std::string>& files, std::string path, bool failWrites)
      : files_(files), path_(std::move(path)), failWrites_(failWrites) {}
  std::int64_t length() override { return std::int64_t(data_.size()); }
  std::int64_t read(void*, std::size_t) override { return -1; }
  bool write(const void* buffer, std::size_t n) override {
    if (failWrites_) return false;
    data_.append(static_cast<const char*>(buffer), n);
    return true;
  }
  bool close() override {
    if (failWrites_) return false;
    files_[path_] = data_;
    return true;
  }

 private:
  std::map<std::string, std::string>& files_;
  std::string path_;
  std::string data_;
  bool failWrites_;
};

}  // namespace

std::unique_ptr<File> FakeFileSystem::createReplacing(const std::string& path) {
  if (uncreatable.count(path) || directories.count(path) || readOnly.count(path)) return nullptr;
  return std::make_unique<ReplacingMemoryFile>(files, path, failingWrites.count(path) > 0);
}

std::unique_ptr<File> FakeFileSystem::openRead(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end() || unreadable.count(path) || directories.count(path)) return nullptr;
  return std::make_unique<MemoryFile>(it->second);
}

bool FakeFileSystem::exists(const std::string& path) { return files.count(path) || directories.count(path); }
bool FakeFileSystem::isDirectory(const std::string& path) { return directories.count(path) > 0; }
bool FakeFileSystem::canReadWrite(const std::string& path) {
  return files.count(path) && !readOnly.count(path) && !unreadable.count(path);
}
bool FakeFileSystem::remove(const std::string& path) { return files.erase(path) > 0; }
std::string FakeFileSystem::fullPath(const std::string& path) {
  return (!path.empty() && path[0] == '/') ? path : currentDirectory + "/" + path;
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

namespace {

template <typename Model>
bool RunScript(std::deque<std::function<bool(Model&)>>& script, Model& model, bool refused(const Model&)) {
  while (!script.empty()) {
    auto step = std::move(script.front());
    script.pop_front();
    if (!step(model)) return false;
    if (!refused(model)) return true;
    WarningBeep();
  }
  return false;
}

}  // namespace

bool FakeDialogs::commonSettingsSheet(CommonSettingsRequest& request) {
  ++sheetsShown;
  return RunScript<CommonSettingsRequest>(sheetScript, request,
                                          [](const CommonSettingsRequest& r) { return r.check(r).control != 0; });
}

bool FakeDialogs::binarySettingsDialog(BinarySettingsRequest& request) {
  ++binaryDialogsShown;
  return RunScript<BinarySettingsRequest>(binaryScript, request,
                                          [](const BinarySettingsRequest& r) { return r.check(r) != 0; });
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

bool FakePlatform::Shown(unsigned id) const { return CountShown(id) > 0; }

}  // namespace quarn::fakes
