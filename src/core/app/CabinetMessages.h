// The two fixed messages of the cabinet file (they are not string-table
// texts) and the routine that shows them.
#pragma once

namespace quarn {

inline constexpr const char* kCabinetReadFailed = "Failed to read from Cabinet";
inline constexpr const char* kCabinetWriteFailed = "Failed to write to Cabinet";

void ShowCabinetMessage(const char* fixedText);

}  // namespace quarn
