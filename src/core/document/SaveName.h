// The file name Save As proposes for a document without a path.
#pragma once

#include <string>

namespace quarn {

// The title cut to its first 8 bytes (never inside a double-byte
// character), then at the first of " #%;/\".
std::string ProposedSaveName(const std::string& title);

}  // namespace quarn
