// The command "共通設定(&M)...": the sheet of four pages while a text
// document is active, else the dialog of the binary window's settings.
#pragma once

#include <cstdint>
#include <vector>

#include "core/options/CommonSettingsEffects.h"

namespace quarn {

void RunCommonSettings(bool textDocumentActive, CommonSettingsEffects& effects);
// The recorded edit page (32813) played back: its values replace those of
// the page; the other pages keep the settings as they are.
void PlayCommonSettings(const std::vector<std::uint8_t>& data, CommonSettingsEffects& effects);

}  // namespace quarn
