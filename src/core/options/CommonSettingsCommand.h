// The command "共通設定(&M)...": the sheet of four pages while a text
// document is active, else the dialog of the binary window's settings.
#pragma once

#include "core/options/CommonSettingsEffects.h"

namespace quarn {

void RunCommonSettings(bool textDocumentActive, CommonSettingsEffects& effects);

}  // namespace quarn
