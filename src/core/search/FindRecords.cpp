#include "core/search/FindRecords.h"

#include <algorithm>

namespace quarn {
namespace {

constexpr std::size_t kMaxRecordedText = 80;

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

void PutText(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

bool Get32(const std::vector<std::uint8_t>& data, std::size_t& at, std::uint32_t& v) {
  if (data.size() < at + 4) return false;
  v = 0;
  for (int i = 0; i < 4; ++i) v |= std::uint32_t(data[at + std::size_t(i)]) << (8 * i);
  at += 4;
  return true;
}

bool GetText(const std::vector<std::uint8_t>& data, std::size_t& at, std::string& text) {
  const auto begin = data.begin() + std::ptrdiff_t(at);
  const auto zero = std::find(begin, data.end(), std::uint8_t(0));
  if (zero == data.end() || std::size_t(zero - begin) > kMaxRecordedText) return false;
  text.assign(begin, zero);
  at += text.size() + 1;
  return true;
}

}  // namespace

std::vector<std::uint8_t> FindDialogRecord(FindAction action, const FindDialogFields& fields) {
  std::vector<std::uint8_t> out;
  Put32(out, action == FindAction::kFindNext);
  Put32(out, action == FindAction::kClose);
  Put32(out, action == FindAction::kReplace);
  Put32(out, action == FindAction::kReplaceAll);
  Put32(out, fields.matchCase);
  Put32(out, fields.down);
  PutText(out, fields.findText);
  PutText(out, fields.replaceText);
  Put32(out, fields.distinguishWidth);
  Put32(out, fields.regular);
  return out;
}

std::optional<ReplayedDialogAction> ParseFindDialogRecord(const std::vector<std::uint8_t>& data) {
  std::size_t at = 0;
  std::uint32_t flags[6];
  for (std::uint32_t& flag : flags)
    if (!Get32(data, at, flag)) return std::nullopt;
  ReplayedDialogAction r;
  if (!GetText(data, at, r.fields.findText) || !GetText(data, at, r.fields.replaceText)) return std::nullopt;
  r.action = flags[1] ? FindAction::kClose
             : flags[0] ? FindAction::kFindNext
             : flags[2] ? FindAction::kReplace
             : flags[3] ? FindAction::kReplaceAll
                        : FindAction::kClose;
  r.fields.matchCase = flags[4] != 0;
  r.fields.down = flags[5] != 0;
  std::uint32_t v = 0;
  if ((r.hasWidth = Get32(data, at, v))) r.fields.distinguishWidth = v != 0;
  if ((r.hasRegular = Get32(data, at, v))) r.fields.regular = v != 0;
  return r;
}

std::vector<std::uint8_t> ToolbarFindRecord(const std::string& text) {
  std::vector<std::uint8_t> out;
  PutText(out, text);
  return out;
}

std::string ToolbarFindText(const std::vector<std::uint8_t>& data) {
  const auto zero = std::find(data.begin(), data.end(), std::uint8_t(0));
  return std::string(data.begin(), zero);
}

}  // namespace quarn
