// Feeds arbitrary bytes to the attribute file reader against a text made
// from the front of the input. Whatever it accepts must fit the text, and
// the marks written back must read back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "core/document/AttributeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  fuzz::Input input(data, size);
  const std::string text = input.Piece();
  const std::string file = input.Rest();
  const auto length = std::uint32_t(text.size());
  const auto isCr = [&text](std::uint32_t pos) { return text.at(pos) == '\r'; };
  AttributeMarks read;
  if (ParseAttributeFile(file, length, isCr, read) != AttributeCheck::kValid) return 0;
  fuzz::Check(read.lines.size() <= DocumentMarks::kMaxLineMarks && read.chars.size() <= DocumentMarks::kMaxCharMarks,
              "at most 100 marks of each kind");
  for (std::uint32_t value : read.lines)
    fuzz::Check(value == DocumentMarks::kFirstLine || (value < length && text[value] == '\r'), "line marks on a CR");
  for (const CharMark& mark : read.chars)
    fuzz::Check(mark.pos < length && mark.length >= 1 && mark.length <= 80 && mark.text[mark.length] == '\0',
                "character marks inside the text, 1 to 80 bytes");
  DocumentMarks marks;
  marks.Assign(read.lines, read.chars);
  const std::string written = BuildAttributeFile(marks, true, true);
  fuzz::Check(written.size() <= kAttributeBuffer, "a full file fits the work buffer");
  AttributeMarks again;
  fuzz::Check(ParseAttributeFile(written, length, isCr, again) == AttributeCheck::kValid, "written files read back");
  DocumentMarks back;
  back.Assign(again.lines, again.chars);
  fuzz::Check(back.LineMarks() == marks.LineMarks() && back.CharMarks() == marks.CharMarks(), "same marks back");
  return 0;
}
