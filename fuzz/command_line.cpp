// The command line, the names a second instance hands over and the message
// that carries them. Arguments joined into one line read back as the file
// they were, and a path sent in an open message arrives unchanged.
#include <vector>

#include "FuzzInput.h"
#include "core/app/CommandLine.h"
#include "core/encoding/Cp932.h"

using namespace quarn;

namespace {

// A name the join can carry: no double quote, and no lone lead byte at its
// end, which would take the closing quote as its trail byte.
bool Carried(const std::string& name) {
  if (name.empty() || name.size() >= 256 || name.find('"') != std::string::npos) return false;
  if (name[0] == '-' || LooksLikeSlashOption(name)) return false;
  std::size_t i = 0, last = 0;
  while (i < name.size()) i = cp932::NextChar(name, last = i);
  return !(cp932::IsLeadByte(std::uint8_t(name[last])) && last + 1 == name.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const CommandLineArguments args = ParseCommandLine(text);
  fuzz::Check(args.file.size() < 256 && args.cabinet.size() < 256, "values of 256 bytes or more are ignored");
  const std::vector<std::string> names = SplitHandOverNames(args.file);
  fuzz::Check(names.size() <= 20, "at most 20 names are handed over");
  fuzz::Check(PathOfOpenCommand(OpenCommandMessage(text)) == text, "the open message carries any path");

  // The input as arguments separated by NUL bytes.
  std::vector<std::string> arguments;
  for (std::size_t from = 0;;) {
    const std::size_t nul = text.find('\0', from);
    arguments.push_back(text.substr(from, nul - from));
    if (nul == std::string::npos) break;
    from = nul + 1;
  }
  const CommandLineArguments joined = ParseCommandLine(JoinArguments(arguments));
  fuzz::Check(joined.file.size() < 256, "a joined line reads as any other");
  if (arguments.size() == 1 && Carried(arguments[0])) {
    fuzz::Check(joined.file == arguments[0], "a joined file name reads back");
  }
  return 0;
}
