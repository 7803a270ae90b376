// What the binary and the text window share around the one find dialog and
// the toolbar's find box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FindDialogService.h"

namespace quarn {

// Opens the dialog for client with the stored options, findText and, for
// the binary window, the escape-sequence box. A dialog of the same kind
// already open for client is only brought forward; any other is closed.
void ShowFindDialog(bool findOnly, FindDialogClient* client, const std::string& findText,
                    std::optional<bool> escapes = std::nullopt);
// Closes the dialog when client owns it.
void CloseFindDialogOf(const FindDialogClient* client);
// The toolbar's find box lists the find history again.
void RefreshFindBox();
// 59414 with the number of replacements.
void ShowReplaceCount(std::uint32_t count, const char* caption);

}  // namespace quarn
