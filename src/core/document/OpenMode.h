// How a file is opened when the user leaves the choice to the program: as a
// cabinet when its first bytes are a cabinet header, as binary data when
// they hold control bytes that text does not, else as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quarn {

// 1 text, 2 binary, 3 cabinet. A file that cannot be opened counts as text
// (the later open reports the error).
int DetectOpenMode(const std::string& path);
int DetectOpenModeOf(const std::uint8_t* head, std::size_t n);

// The cabinet file's header test on the first n bytes of a file.
bool LooksLikeCabinetHeader(const std::uint8_t* head, std::size_t n);

}  // namespace quarn
