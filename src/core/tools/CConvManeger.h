// Free conversion: up to ten rules, each replacing a string by a string or
// converting every character of one class into the corresponding character
// of another, tried in row order at each position of the source.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quarn {

struct ConvRule {
  int sourceKind = 1;  // 1: a string; else a class code
  std::string source;
  int targetKind = 1;
  std::string target;
  friend bool operator==(const ConvRule&, const ConvRule&) = default;
};

struct ConvOutcome {
  std::string output;
  bool cut = false;  // the output limit stopped the loop before the source ended
};

class CConvManeger {
 public:
  static constexpr std::size_t kMaxRules = 10;
  static constexpr std::size_t kMaxText = 80;
  static constexpr std::size_t kMaxSource = 1048576;
  static constexpr std::size_t kOutputStop = 1048416;

  std::vector<ConvRule> rules;
  bool toNewDocument = false;

  // The parameter block, which is also the data file's block.
  std::vector<std::uint8_t> SaveParameters() const;
  // Takes the block only when all of it is sound (every rule one the dialog
  // could have made); false leaves the rules as they were.
  bool LoadParameters(const std::uint8_t* data, std::size_t size);
  bool LoadParameters(const std::vector<std::uint8_t>& block) { return LoadParameters(block.data(), block.size()); }

  // Runs the rules over source (at most kMaxSource bytes). keepGoing is
  // asked now and then with the bytes done; false stops, keeping the
  // output so far (cut is then set).
  ConvOutcome Convert(const std::uint8_t* source, std::size_t size,
                      const std::function<bool(unsigned long)>& keepGoing = {}) const;
};

// A row of the dialog as typed: the source and target texts.
struct ConvRow {
  std::string source;
  std::string target;
};

// Reads the dialog's rows in order, skipping those with an empty source. A
// text equal to a class name is that class. Returns the index of the first
// invalid row (a text over 80 bytes, an empty target after a class, or a
// pair that is not allowed), or -1 when every row is sound; rules gets the
// rules read before it.
int ReadConvRows(const std::vector<ConvRow>& rows, std::vector<ConvRule>& rules);

// The text the dialog shows for a rule's source or target.
std::string ConvRowText(int kind, const std::string& text);

extern CConvManeger gConv;

}  // namespace quarn
