// Common dialogs shown with Qt's own widgets.
#pragma once

#include <QStringList>
#include <string>

#include "platform/DialogService.h"

class QFileDialog;

namespace quarn::qt {

class QtDialogService : public DialogService {
 public:
  bool fileDialog(FileDialogRequest& request) override;
  bool jumpDialog(JumpDialogRequest& request) override;
  bool commonSettingsSheet(CommonSettingsRequest& request) override;
  bool binarySettingsDialog(BinarySettingsRequest& request) override;
};

// The program's filter string "title|pattern|title|pattern||" as Qt name
// filters "title (pattern pattern)". Patterns are separated by ";" in the
// program and by spaces in Qt; "*.*" means every file, also one without a dot.
QStringList QtNameFilters(const std::string& filter);

// Sets up a file dialog for a request (exposed so that tests can inspect it).
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

}  // namespace quarn::qt
