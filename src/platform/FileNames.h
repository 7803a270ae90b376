// File names between the operating system and the program. Linux names are
// bytes, mostly UTF-8; the program holds CP932 strings, and stores them in
// cabinets, the settings, the data file, tag lines and key files. A
// character CP932 lacks (or does not give back unchanged), each byte that is
// not UTF-8 and each user-defined character is written as a short sequence
// of codes of CP932's user-defined area (0xF040 to 0xF9FC) that spells its
// code point, so the same name has the same form in every run and comes
// back byte for byte on the way out.
#pragma once

#include <string>

namespace quarn::names {

// The program's CP932 form of a name as the operating system gives it.
std::string FromOs(const std::string& bytes);

// False when the name holds a user-defined code that spells nothing (a
// name stored by an earlier version, or damaged): it reaches no file.
bool Decodable(const std::string& cp932);

// The operating system's bytes of a name the program holds; empty when the
// name is not decodable, so that no other file is reached by it.
std::string ToOs(const std::string& cp932);

// A name as the user reads it: each spelled character as itself, a byte
// that is not UTF-8 and a code that spells nothing as U+FFFD.
std::u16string ToDisplay(const std::string& cp932);

}  // namespace quarn::names
