// The recorded find operations read back from a macro file: the find and
// replace dialog's record (type 304) and the toolbar find box's (type 305).
// A record that reads must write back to one that reads the same.
#include <vector>

#include "FuzzInput.h"
#include "core/search/FindRecords.h"

using namespace quarn;

namespace {

bool SameFields(const FindDialogFields& a, const FindDialogFields& b) {
  return a.findText == b.findText && a.replaceText == b.replaceText && a.down == b.down &&
         a.matchCase == b.matchCase && a.regular == b.regular && a.distinguishWidth == b.distinguishWidth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> record(data, data + size);

  const std::string text = ToolbarFindText(record);
  fuzz::Check(text.find('\0') == std::string::npos && text.size() <= size, "the find box text ends at its zero");
  fuzz::Check(ToolbarFindText(ToolbarFindRecord(text)) == text, "the find box record reads back");

  const auto action = ParseFindDialogRecord(record);
  if (!action) return 0;
  fuzz::Check(action->fields.findText.size() <= 80 && action->fields.replaceText.size() <= 80,
              "recorded texts are at most 80 bytes");
  const auto again = ParseFindDialogRecord(FindDialogRecord(action->action, action->fields));
  fuzz::Check(again && again->action == action->action && SameFields(again->fields, action->fields),
              "the dialog record reads back");
  fuzz::Check(again->hasWidth && again->hasRegular, "a written record holds every flag");
  return 0;
}
