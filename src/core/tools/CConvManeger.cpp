#include "core/tools/CConvManeger.h"

#include <cstring>

#include "core/encoding/Cp932.h"
#include "core/tools/BlockBytes.h"
#include "core/tools/CharClasses.h"

namespace quarn {

CConvManeger gConv;

namespace {

constexpr std::size_t kBytesBetweenQuestions = 65536;

bool SoundRule(const ConvRule& r) {
  if (r.source.size() > CConvManeger::kMaxText || r.target.size() > CConvManeger::kMaxText) return false;
  if (r.sourceKind == charclass::kString) return !r.source.empty() && r.targetKind == charclass::kString;
  return charclass::Allowed(r.sourceKind, r.targetKind);
}

}  // namespace

std::vector<std::uint8_t> CConvManeger::SaveParameters() const {
  BlockWriter out;
  out.U32(std::uint32_t(rules.size()));
  out.U32(toNewDocument ? 1 : 0);
  for (const ConvRule& r : rules) {
    out.I32(r.sourceKind);
    out.Text(r.sourceKind == charclass::kString ? r.source : std::string());
    out.I32(r.targetKind);
    out.Text(r.targetKind == charclass::kString ? r.target : std::string());
  }
  return out.Take();
}

bool CConvManeger::LoadParameters(const std::uint8_t* data, std::size_t size) {
  BlockReader in(data, size);
  std::vector<ConvRule> read(in.Count(kMaxRules));
  const bool newDocument = in.U32() != 0;
  for (ConvRule& r : read) {
    r.sourceKind = in.I32();
    r.source = in.Text(kMaxText);
    r.targetKind = in.I32();
    r.target = in.Text(kMaxText);
    if (in.ok() && !SoundRule(r)) return false;
  }
  if (!in.ok()) return false;
  rules = std::move(read);
  toNewDocument = newDocument;
  return true;
}

ConvOutcome CConvManeger::Convert(const std::uint8_t* p, std::size_t size,
                                  const std::function<bool(unsigned long)>& keepGoing) const {
  ConvOutcome outcome;
  std::string& out = outcome.output;
  out.reserve(std::min(size + size / 4, kMaxSource));
  std::size_t nextQuestion = kBytesBetweenQuestions;
  std::size_t at = 0;
  while (at < size && out.size() < kOutputStop) {
    if (at >= nextQuestion) {
      nextQuestion = at + kBytesBetweenQuestions;
      if (keepGoing && !keepGoing(at)) break;
    }
    std::size_t length = 1;
    const int cls = charclass::ClassAt(p + at, size - at, &length);
    const ConvRule* applied = nullptr;
    for (const ConvRule& r : rules) {
      if (r.sourceKind == charclass::kString) {
        if (r.source.size() <= size - at && std::memcmp(p + at, r.source.data(), r.source.size()) == 0) {
          applied = &r;
          break;
        }
      } else if (r.sourceKind == cls) {
        applied = &r;
        break;
      }
    }
    if (!applied) {
      out.append(reinterpret_cast<const char*>(p + at), length);
      at += length;
    } else if (applied->sourceKind == charclass::kString) {
      out += applied->target;
      at += applied->source.size();
    } else {
      at += charclass::Convert(applied->sourceKind, applied->targetKind, p + at, size - at, out);
    }
  }
  outcome.cut = at < size;
  return outcome;
}

int ReadConvRows(const std::vector<ConvRow>& rows, std::vector<ConvRule>& rules) {
  rules.clear();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ConvRow& row = rows[i];
    if (row.source.empty()) continue;
    ConvRule r;
    r.sourceKind = charclass::ByName(row.source);
    r.targetKind = charclass::ByName(row.target);
    if (r.sourceKind == charclass::kNone) r.sourceKind = charclass::kString, r.source = row.source;
    if (r.targetKind == charclass::kNone) r.targetKind = charclass::kString, r.target = row.target;
    const bool emptyAfterClass = r.sourceKind != charclass::kString && row.target.empty();
    if (row.source.size() > CConvManeger::kMaxText || row.target.size() > CConvManeger::kMaxText || emptyAfterClass ||
        !SoundRule(r))
      return int(i);
    if (rules.size() < CConvManeger::kMaxRules) rules.push_back(std::move(r));
  }
  return -1;
}

std::string ConvRowText(int kind, const std::string& text) {
  return kind == charclass::kString ? text : charclass::Name(kind);
}

}  // namespace quarn
