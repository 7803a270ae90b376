// File names between the operating system and the program. Linux names are
// bytes, mostly UTF-8; the program holds CP932 strings. A character CP932
// lacks (and each byte that is not UTF-8) is given a code of CP932's
// user-defined area (0xF040 to 0xF9FC) from a table kept for the process,
// so that the name comes back byte for byte on the way out. A user-defined
// character in a name is given a code of that table too, so the codes in a
// converted name never mean two things. A code the table does not hold is
// the user-defined character iconv makes of it (U+E000 onwards).
#pragma once

#include <string>

namespace quarn::names {

// The program's CP932 form of a name as the operating system gives it.
std::string FromOs(const std::string& bytes);

// The operating system's bytes of a name the program holds.
std::string ToOs(const std::string& cp932);

// A name as the user reads it: each table code as the character it stands
// for, a byte that is not UTF-8 as U+FFFD.
std::u16string ToDisplay(const std::string& cp932);

}  // namespace quarn::names
