// Conversion between the program's CP932 byte strings and Unicode, done at
// the platform edge only (file names, Qt texts, clipboard, painted glyphs).
// Characters that CP932 cannot hold become "?"; CP932 bytes that do not form
// a character become U+FFFD. 0x5C stays a backslash and 0x7E a tilde.
#pragma once

#include <string>

namespace quarn::codec {

std::string Cp932ToUtf8(const std::string& cp932);
std::string Utf8ToCp932(const std::string& utf8);

std::u16string Cp932ToUtf16(const std::string& cp932);
std::string Utf16ToCp932(const std::u16string& utf16);

}  // namespace quarn::codec
