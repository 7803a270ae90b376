// The services the core reaches the platform through. main() installs the
// Qt implementations, tests install fakes.
#pragma once

namespace quarn {

class MessageService;
class BeepService;
class FileSystem;
class DialogService;
class Clipboard;
class FindDialogService;
class FindBoxService;
class DesktopService;
class ProgressService;
class PrintService;
class ProcessService;

struct PlatformServices {
  MessageService* messages = nullptr;
  BeepService* beep = nullptr;
  FileSystem* files = nullptr;
  DialogService* dialogs = nullptr;
  Clipboard* clipboard = nullptr;
  FindDialogService* findDialog = nullptr;
  FindBoxService* findBox = nullptr;
  DesktopService* desktop = nullptr;
  ProgressService* progress = nullptr;
  PrintService* printing = nullptr;
  ProcessService* processes = nullptr;
};

PlatformServices& Platform();

}  // namespace quarn
