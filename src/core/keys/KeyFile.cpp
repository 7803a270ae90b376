#include "core/keys/KeyFile.h"

#include <algorithm>
#include <cstring>

#include "platform/Types.h"

namespace quarn {
namespace {

constexpr std::uint16_t kOlderMark = 0x0604;
constexpr std::size_t kOlderHeaderSize = 6;
constexpr std::size_t kOlderEntrySize = 18;
constexpr std::size_t kOlderNameField = 10;
constexpr std::uint16_t kMaxModifiers = 3;

bool ValidEntry(std::uint32_t category, std::uint32_t modifiers) {
  return category >= kKeyMenu && category <= kKeyOther && modifiers <= kMaxModifiers;
}

// The name up to its zero, or the whole field when it has none.
std::string NameField(const std::uint8_t* p, std::size_t field) {
  return std::string(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), field));
}

bool LooksOlder(const std::uint8_t* data, std::size_t size) {
  return size > kKeyHeaderSize && GetLe16(data + 4) == kOlderMark && GetLe32(data + 8) != kKeyFileFormat;
}

KeyFileFormat ReadOlder(const std::uint8_t* data, std::size_t size, std::vector<KeyEntry>& out) {
  if (size < kOlderHeaderSize + kOlderEntrySize || GetLe16(data) != size) return KeyFileFormat::kMalformed;
  const std::size_t count = (size - kOlderHeaderSize) / kOlderEntrySize;
  // More entries than the table holds would not fit it.
  if ((size - kOlderHeaderSize) % kOlderEntrySize != 0 || GetLe16(data + 2) != count || count > kMaxKeyEntries)
    return KeyFileFormat::kMalformed;
  std::vector<KeyEntry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = data + kOlderHeaderSize + i * kOlderEntrySize;
    KeyEntry& e = entries[i];
    e = {GetLe16(p), GetLe16(p + 2), GetLe16(p + 4), GetLe16(p + 6), NameField(p + 8, kOlderNameField)};
    if (!ValidEntry(e.category, e.modifiers)) return KeyFileFormat::kMalformed;
  }
  out = std::move(entries);
  return KeyFileFormat::kOlder;
}

KeyFileFormat ReadCurrent(const std::uint8_t* data, std::size_t size, std::vector<KeyEntry>& out) {
  if (size < kKeyHeaderSize || size > kKeyHeaderSize + kKeyEntrySize * kMaxKeyEntries || GetLe32(data) != size)
    return KeyFileFormat::kMalformed;
  const std::size_t count = (size - kKeyHeaderSize) / kKeyEntrySize;
  if ((size - kKeyHeaderSize) % kKeyEntrySize != 0 || GetLe32(data + 4) != count ||
      GetLe32(data + 8) != kKeyFileFormat)
    return KeyFileFormat::kMalformed;
  std::vector<KeyEntry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = data + kKeyHeaderSize + i * kKeyEntrySize;
    KeyEntry& e = entries[i];
    // A name without its zero keeps 263 bytes, as the writer would store it.
    e = {GetLe32(p), GetLe32(p + 4), GetLe16(p + 8), GetLe16(p + 10), NameField(p + 12, kKeyNameField - 1)};
    if (!ValidEntry(e.category, e.modifiers)) return KeyFileFormat::kMalformed;
  }
  out = std::move(entries);
  return KeyFileFormat::kCurrent;
}

}  // namespace

KeyFileFormat ReadKeyFile(const std::uint8_t* data, std::size_t size, std::vector<KeyEntry>& out) {
  if (data == nullptr) return KeyFileFormat::kMalformed;
  return LooksOlder(data, size) ? ReadOlder(data, size, out) : ReadCurrent(data, size, out);
}

std::string WriteKeyFile(const std::vector<KeyEntry>& entries) {
  const std::size_t size = kKeyHeaderSize + kKeyEntrySize * entries.size();
  std::string bytes(size, '\0');
  auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
  PutLe32(out, std::uint32_t(size));
  PutLe32(out + 4, std::uint32_t(entries.size()));
  PutLe32(out + 8, kKeyFileFormat);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::uint8_t* p = out + kKeyHeaderSize + i * kKeyEntrySize;
    const KeyEntry& e = entries[i];
    PutLe32(p, e.key);
    PutLe32(p + 4, e.category);
    PutLe16(p + 8, e.modifiers);
    PutLe16(p + 10, e.command);
    std::memcpy(p + 12, e.name.data(), std::min(e.name.size(), kKeyNameField - 1));
  }
  return bytes;
}

}  // namespace quarn
