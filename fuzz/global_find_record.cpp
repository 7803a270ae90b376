// The global find's parameter block read back from a macro file. A block
// that reads must write back to one that reads the same.
#include <vector>

#include "FuzzInput.h"
#include "core/app/GlobalFindCommand.h"

using namespace quarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parameters = ParseGlobalFindRecord(std::vector<std::uint8_t>(data, data + size));
  if (!parameters) return 0;
  fuzz::Check(parameters->text.find('\0') == std::string::npos && parameters->pattern.find('\0') == std::string::npos,
              "the texts end at their zeros");
  fuzz::Check(parameters->distinguishWidth.has_value() == parameters->regular.has_value(),
              "the two later options come together");
  fuzz::Check(ParseGlobalFindRecord(GlobalFindRecord(*parameters)) == parameters, "the block reads back");
  return 0;
}
