#include "core/options/CommonSettingsCommand.h"

#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
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
    CommonSettingsRequest request = CommonSettingsSheet::FromSettings(gSettings).Request();
    if (!dialogs->commonSettingsSheet(request)) return;
    const CommonSettingsSheet sheet = CommonSettingsSheet::FromRequest(request);
    if (sheet.Check().control) return WarningBeep();
    ApplyCommonSettingsSheet(sheet, effects);
  } else {
    BinarySettingsRequest request = BinarySettingsDialog::FromSettings(gSettings).Request();
    if (!dialogs->binarySettingsDialog(request)) return;
    const BinarySettingsDialog dialog = BinarySettingsDialog::FromRequest(request);
    if (dialog.Check()) return WarningBeep();
    ApplyBinarySettingsDialog(dialog, effects);
  }
}

void PlayCommonSettings(const std::vector<std::uint8_t>& data, CommonSettingsEffects& effects) {
  CommonSettingsSheet sheet = CommonSettingsSheet::FromSettings(gSettings);
  TabPositionList tabs;
  if (ReadEditPageRecord(data, sheet.edit, tabs)) ApplyCommonSettingsSheet(sheet, effects);
}

}  // namespace quarn
