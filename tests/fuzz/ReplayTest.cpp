// Runs one fuzz target over its seed corpus and seeded mutations of the
// seeds, as the fuzzer would. A target reports a fault by aborting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Present when a sanitizer is linked in: called before it ends the program.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

using Bytes = std::vector<std::uint8_t>;

using Seeds = std::map<std::string, Bytes>;  // by file name

Seeds Corpus() {
  Seeds seeds;
  for (const auto& entry : std::filesystem::directory_iterator(QUARN_FUZZ_CORPUS)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    seeds[entry.path().filename().string()] = Bytes(std::istreambuf_iterator<char>(in), {});
  }
  return seeds;
}

// The input being run, named when a sanitizer ends the program.
const char* gInputName = "";

void NameFailingInput() { std::fprintf(stderr, "failing input: %s\n", gInputName); }

void Feed(const Bytes& input, const std::string& name) {
  if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(NameFailingInput);
  gInputName = name.c_str();
  // A copy of exactly the input's size, so a read past its end is caught.
  std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[std::max<std::size_t>(input.size(), 1)]);
  std::copy(input.begin(), input.end(), copy.get());
  LLVMFuzzerTestOneInput(copy.get(), input.size());
}

// The kinds of change a fuzzer makes most: overwrite, insert or erase a
// byte, put in an interesting value, cut the end, splice in another seed.
Bytes Mutate(Bytes b, const Seeds& seeds, std::mt19937& random) {
  static const std::uint8_t kInteresting[] = {0x00, 0x01, 0x0A, 0x0D, 0x20, 0x2E, 0x5C, 0x7F,
                                              0x80, 0x81, 0x9F, 0xA0, 0xDF, 0xE0, 0xFC, 0xFF};
  const int steps = 1 + int(random() % 4);
  for (int step = 0; step < steps; ++step) {
    const std::size_t at = b.empty() ? 0 : random() % (b.size() + 1);
    const unsigned kind = random() % 6;
    if (kind == 0 && at < b.size()) b[at] ^= std::uint8_t(1u << (random() % 8));
    else if (kind == 1) b.insert(b.begin() + at, std::uint8_t(random()));
    else if (kind == 2 && at < b.size()) b.erase(b.begin() + at);
    else if (kind == 3 && at < b.size()) b[at] = kInteresting[random() % std::size(kInteresting)];
    else if (kind == 4) b.resize(at);
    else if (kind == 5) {
      const Bytes& other = std::next(seeds.begin(), long(random() % seeds.size()))->second;
      const std::size_t from = other.empty() ? 0 : random() % other.size();
      b.insert(b.begin() + at, other.begin() + from, other.end());
    }
  }
  return b;
}

TEST(Replay, EverySeedAndSeededMutationsRunCleanly) {
  const Seeds seeds = Corpus();
  ASSERT_FALSE(seeds.empty()) << "no seeds in " << QUARN_FUZZ_CORPUS;
  Feed({}, "empty input");
  for (const auto& [name, bytes] : seeds) Feed(bytes, name);
  std::mt19937 random(20);
  for (const auto& [name, bytes] : seeds)
    for (int i = 0; i < 150; ++i) Feed(Mutate(bytes, seeds, random), name + " mutation " + std::to_string(i));
}

}  // namespace
