// The key definition file's bytes: one reader that checks the whole file
// (the current format 200 and the older 0x0604 one) before taking anything,
// and one writer of the current format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

// What a key is bound to.
enum KeyCategory : std::uint32_t { kKeyMenu = 1, kKeyOperation = 2, kKeyOther = 3 };

// One binding. In the file: 32-bit key, 32-bit category, 16-bit modifiers,
// 16-bit command and a zero-terminated name in 264 bytes (276 in all).
struct KeyEntry {
  std::uint32_t key = 0;  // virtual-key code; only the low byte is compared
  std::uint32_t category = kKeyMenu;
  std::uint16_t modifiers = 0;  // 0 none, 1 Ctrl, 2 Shift, 3 Ctrl+Shift
  std::uint16_t command = 0;    // 0 for an operation
  std::string name;             // the operation's name; empty for the others
  friend bool operator==(const KeyEntry&, const KeyEntry&) = default;
};

constexpr std::size_t kMaxKeyEntries = 80;
constexpr std::size_t kKeyEntrySize = 276;
constexpr std::size_t kKeyNameField = 264;
constexpr std::size_t kKeyHeaderSize = 12;
constexpr std::uint32_t kKeyFileFormat = 200;
// The file is read into a buffer of this size.
constexpr std::size_t kKeyFileBuffer = 30720;

enum class KeyFileFormat { kMalformed, kCurrent, kOlder };

// Checks the bytes as the older format when they look like it (longer than
// 12 bytes, 0x0604 at offset 4 and not 200 at offset 8), else as the
// current one. out is changed only when the result is not kMalformed.
KeyFileFormat ReadKeyFile(const std::uint8_t* data, std::size_t size, std::vector<KeyEntry>& out);

// The file of the current format (names are cut to 263 bytes).
std::string WriteKeyFile(const std::vector<KeyEntry>& entries);

}  // namespace quarn
