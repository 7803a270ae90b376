// Reading a whole file into memory as fast as the page cache allows.
#pragma once

#include <cstdint>

namespace quarn {

class File;

// Reads up to n bytes from the file's start into `into`: the count read
// (fewer at an early end of the file), or -1 after a read error. A large
// file that allows positional reads is read by two threads, one half each,
// so that the cost of faulting in fresh memory is shared by two cores.
std::int64_t ReadWholeFile(File& file, std::uint8_t* into, std::uint32_t n);

}  // namespace quarn
