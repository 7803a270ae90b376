#include "core/options/CommonSettingsCommand.h"

#include "core/app/AppMessage.h"
#include "core/app/Settings.h"
#include "core/options/BinarySettingsDialog.h"
#include "core/options/CommonSettingsSheet.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"

namespace quarn {

void RunCommonSettings(bool textDocumentActive, CommonSettingsEffects& effects) {
  DialogService* dialogs = Platform().dialogs;
  if (!dialogs) return;
  // The dialogs check their fields before they close with OK; values that
  // still fail are refused rather than stored.
  if (textDocumentActive) {
    CommonSettingsSheet sheet = CommonSettingsSheet::FromSettings(gSettings);
    if (!dialogs->commonSettingsSheet(sheet)) return;
    if (sheet.Check().control) return WarningBeep();
    ApplyCommonSettingsSheet(sheet, effects);
  } else {
    BinarySettingsDialog dialog = BinarySettingsDialog::FromSettings(gSettings);
    if (!dialogs->binarySettingsDialog(dialog)) return;
    if (dialog.Check()) return WarningBeep();
    ApplyBinarySettingsDialog(dialog, effects);
  }
}

}  // namespace quarn
