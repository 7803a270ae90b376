// In-memory stand-ins for the platform services, installed for the length
// of a test: scripted message box answers, recorded beeps, an in-memory file
// system that can be told to fail, and scripted file dialogs.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/options/BinarySettingsDialog.h"
#include "core/options/CommonSettingsSheet.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"

namespace quarn::fakes {

// Puts a fake into a service's slot for its lifetime, then restores what was there.
template <typename Service>
class Installed {
 public:
  Installed(Service*& slot, Service* fake) : slot_(slot), previous_(std::exchange(slot, fake)) {}
  ~Installed() { slot_ = previous_; }
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;

 private:
  Service*& slot_;
  Service* previous_;
};

// Runs a dialog's script: each step acts on the request as the user would
// and answers true for OK. While `accepts` refuses the OK the dialog stays
// open for the next step; no step left is Cancel.
template <typename Request, typename Accepts>
bool RunScript(std::deque<std::function<bool(Request&)>>& script, Request& request, Accepts accepts) {
  while (!script.empty()) {
    auto step = std::move(script.front());
    script.pop_front();
    if (!step(request)) return false;
    if (accepts(request)) return true;
  }
  return false;
}
template <typename Request>
bool RunScript(std::deque<std::function<bool(Request&)>>& script, Request& request) {
  return RunScript(script, request, [](Request&) { return true; });
}

class FakeMessages : public MessageService {
 public:
  struct Shown {
    std::string text, caption;
    unsigned style;
  };
  int messageBox(const std::string& text, const std::string& caption, unsigned style) override;
  void statusNotice(const std::string& text) override { notices.push_back(text); }

  std::vector<Shown> shown;
  std::vector<std::string> notices;  // said in the status bar
  std::deque<int> answers;  // taken in order; when empty: OK / Yes by style
};

class FakeBeep : public BeepService {
 public:
  void messageBeep(unsigned type) override { beeps.push_back(type); }
  std::vector<unsigned> beeps;
};

class FakeFileSystem : public FileSystem {
 public:
  std::unique_ptr<File> openRead(const std::string& path) override;
  std::unique_ptr<File> createReplacing(const std::string& path) override;
  bool exists(const std::string& path) override { return files.count(path) || directories.count(path); }
  bool isDirectory(const std::string& path) override { return directories.count(path) > 0; }
  bool canReadWrite(const std::string& path) override {
    return files.count(path) && !readOnly.count(path) && !unreadable.count(path);
  }
  bool remove(const std::string& path) override { return files.erase(path) > 0; }
  std::string fullPath(const std::string& path) override {
    return path.starts_with('/') ? path : currentDirectory + "/" + path;
  }
  bool makeDirectories(const std::string& path) override;

  std::map<std::string, std::string> files;
  std::set<std::string> directories;
  std::set<std::string> unreadable;     // exist but cannot be opened
  std::set<std::string> uncreatable;    // createReplacing() fails
  std::set<std::string> readOnly;       // canReadWrite() false
  std::set<std::string> failingWrites;  // writes fail after creation
  std::string currentDirectory = "/work";
};

class FakeDialogs : public DialogService {
 public:
  bool fileDialog(FileDialogRequest& request) override;

  std::vector<FileDialogRequest> requests;  // as they were asked
  std::deque<std::string> fileAnswers;      // each the path chosen; empty cancels
  // Modes chosen in the next answered open dialog's "用途" list, in order.
  std::vector<int> openModeChoices;

  // While the model's check refuses an OK, the dialog beeps and stays.
  bool commonSettingsSheet(CommonSettingsRequest& request) override;
  bool binarySettingsDialog(BinarySettingsRequest& request) override;
  std::deque<std::function<bool(CommonSettingsRequest&)>> sheetScript;
  std::deque<std::function<bool(BinarySettingsRequest&)>> binaryScript;
  int sheetsShown = 0;
  int binaryDialogsShown = 0;
};

// Installs the fakes into Platform() and restores the previous services.
class FakePlatform {
 public:
  FakePlatform();
  ~FakePlatform();
  // Ids are compared through the string-table texts shown.
  bool Shown(unsigned id) const { return CountShown(id) > 0; }
  std::size_t CountShown(unsigned id) const;

  FakeMessages messages;
  FakeBeep beep;
  FakeFileSystem files;
  FakeDialogs dialogs;

 private:
  PlatformServices saved_;
};

}  // namespace quarn::fakes
