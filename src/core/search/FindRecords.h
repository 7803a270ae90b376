// The recorded forms of the find operations: type 304 for an action of the
// find and replace dialog, type 305 for the toolbar's find box. The layouts
// are stored in macro files and must stay byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FindDialogService.h"

namespace quarn {

constexpr std::uint32_t kFindDialogRecord = 304;
constexpr std::uint32_t kToolbarFindRecord = 305;

// Six 32-bit flags (find next, close, replace, replace all, match case,
// direction down), the find text and the replacement each with its zero
// byte, then the distinguish-width and regular-expression flags.
std::vector<std::uint8_t> FindDialogRecord(FindAction action, const FindDialogFields& fields);

struct ReplayedDialogAction {
  FindAction action = FindAction::kClose;
  FindDialogFields fields;
  bool hasWidth = false;    // the last two flags are read only when the
  bool hasRegular = false;  // data reaches them
};
// Nothing when a text is missing its zero byte or is 81 bytes or longer.
std::optional<ReplayedDialogAction> ParseFindDialogRecord(const std::vector<std::uint8_t>& data);

// The search text with its zero byte.
std::vector<std::uint8_t> ToolbarFindRecord(const std::string& text);
// The text before the first zero byte.
std::string ToolbarFindText(const std::vector<std::uint8_t>& data);

}  // namespace quarn
