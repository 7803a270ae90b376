#include "core/keys/KeyNames.h"

namespace quarn::keys {
namespace {

constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int kF1 = 112;
constexpr int kF2 = 113;
constexpr int kF12 = 123;

bool IsLetterOrDigit(int code) { return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'); }

}  // namespace

const std::vector<std::string>& BindableKeyNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (char c = 'A'; c <= 'Z'; ++c) list.emplace_back(1, c);
    for (char c = '0'; c <= '9'; ++c) list.emplace_back(1, c);
    for (int f = 2; f <= 12; ++f) list.push_back("F" + std::to_string(f));
    list.emplace_back("Insert");
    list.emplace_back("Delete");
    return list;
  }();
  return names;
}

std::optional<int> KeyCodeOfName(const std::string& name) {
  if (name.size() == 1 && IsLetterOrDigit(static_cast<unsigned char>(name[0]))) return name[0];
  if (name == "Insert") return kInsert;
  if (name == "Delete") return kDelete;
  for (int f = 2; f <= 12; ++f) {
    if (name == "F" + std::to_string(f)) return kF2 + f - 2;
  }
  return std::nullopt;
}

std::string NameOfKeyCode(int code) {
  code &= 0xFF;
  if (IsLetterOrDigit(code)) return std::string(1, static_cast<char>(code));
  if (code >= kF2 && code <= kF12) return "F" + std::to_string(code - kF2 + 2);
  if (code == kInsert) return "Insert";
  if (code == kDelete) return "Delete";
  return {};
}

bool BindingAllowed(int code, int modifiers) {
  if (modifiers == kNoModifier) return code >= kF1;
  if (modifiers == kShift) return !IsLetterOrDigit(code);
  return true;
}

}  // namespace quarn::keys
