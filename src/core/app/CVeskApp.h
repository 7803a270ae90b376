// The application's start-up and exit around the main frame: the settings
// file's place, the single-instance check with the hand-over of files to a
// running instance, the settings, the command line and the documents opened
// at start-up, and what exit writes.
#pragma once

#include <string>

#include "core/app/CommandLine.h"
#include "core/app/FileCommands.h"

namespace quarn {

class DocTemplate;
class InstanceChannel;

// The main frame as start-up drives it.
class StartupFrame {
 public:
  virtual ~StartupFrame() = default;
  virtual void MaximizeActiveChild() = 0;
  virtual bool HasActiveChild() = 0;
};

class CVeskApp {
 public:
  static constexpr int kHandOverTimeoutMs = 15000;

  CVeskApp(DocTemplate& documents, InstanceChannel& channel) : documents_(documents), channel_(channel) {}

  // Steps before the main frame: the settings file's place, the instance
  // check, the settings, the data file and the recent files. False when this process
  // handed its files to a running instance (or found none to hand them
  // to) and ends now; exit then writes nothing.
  bool Begin(const std::string& commandLine);
  // Steps after the main frame is shown: the cabinet argument, the file of
  // the command line (a binary document) or a new document, the pending
  // caret of "/L" and "/C", the maximised child.
  void OpenStartupDocuments(StartupFrame& frame);
  // The mode the command line's file opens in: binary, or text when the
  // screenshot of a text document is taken.
  void SetStartupOpenMode(int mode) { startupMode_ = mode; }
  // A message of a later process: opens its path as a binary document.
  void OnInstanceMessage(const std::string& message);
  // Writes the settings, the recent files and the data file unless the files were handed
  // over; releases the instance lock.
  void Exit();

  bool HandedOver() const { return handedOver_; }
  const CommandLineArguments& Arguments() const { return arguments_; }

 private:
  void HandOver();

  DocTemplate& documents_;
  InstanceChannel& channel_;
  CommandLineArguments arguments_;
  bool handedOver_ = false;
  int startupMode_ = kOpenBinary;
};

// The recent-file list in its own section of the settings file.
void LoadRecentFileList(DocTemplate& documents);
void SaveRecentFileList(DocTemplate& documents);

}  // namespace quarn
