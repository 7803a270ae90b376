// Line extraction: step 1 deletes (or keeps) groups of lines around each
// line holding one of its strings; step 2 then keeps (or deletes) the blocks
// from a line holding a start string to a line holding an end string. The
// manager holds the settings (data file and parameter block) and plans and
// writes the result lines of a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarn {

class CVeskDoc;

struct ExtractCondition {
  static constexpr std::size_t kMaxText = 83;
  std::string text;
  std::int32_t position = 0;  // lines from the matching line to the block's first
  std::int32_t lines = 0;     // lines in the block
  friend bool operator==(const ExtractCondition&, const ExtractCondition&) = default;
};

using ExtractConditions = std::vector<ExtractCondition>;

struct ExtractCounts {
  std::uint32_t total = 0;
  std::uint32_t afterStep1 = 0;
  std::uint32_t step1Matches = 0;
  std::uint32_t afterStep2 = 0;
  std::uint32_t step2Blocks = 0;
  friend bool operator==(const ExtractCounts&, const ExtractCounts&) = default;
};

// The result of a run: the source lines in output order, and per result
// line the number (from 1) of the block it begins, or 0.
struct ExtractPlan {
  std::vector<std::uint32_t> lines;
  std::vector<std::uint32_t> blockNumber;
  std::uint32_t blocks = 0;
  ExtractCounts counts;
  // The source's line starts the plan was made from, for writing it out.
  std::vector<std::uint32_t> lineStarts;
};

// Byte offsets of the lines of a text: line i is [starts[i], starts[i + 1]),
// its CR LF included; a last line without one counts when it is not empty.
std::vector<std::uint32_t> LineStarts(const std::uint8_t* text, std::size_t length);

enum class ExtractFailure { kNone, kNoConditions, kEmptySource, kEmptyResult };

class CExtractManeger {
 public:
  static constexpr std::size_t kMaxConditions = 5;
  static constexpr std::size_t kMaxSeparator = 80;
  static constexpr std::size_t kMinParameterBlock = 17;
  enum Execution : std::uint32_t { kStep1Only = 1, kStep2Only = 2, kBothSteps = 3 };

  CExtractManeger();  // the settings a new installation has

  ExtractConditions step1;
  ExtractConditions starts;
  ExtractConditions ends;
  std::uint32_t execution = kBothSteps;
  bool noDisplay = false;
  bool showInformation = true;
  bool addSeparator = false;
  std::string separator = "==========";
  bool matchCase = false;
  bool regular = false;
  bool distinguishWidth = true;
  bool step1Extracts = false;
  bool step2Deletes = false;
  int lastPage = 0;  // the sheet's page shown last (not stored)

  // The parameter block, which is also the data file's block.
  std::vector<std::uint8_t> SaveParameters() const;
  // Takes the block only when all of it is sound; false leaves every
  // setting as it was.
  bool LoadParameters(const std::uint8_t* data, std::size_t size);
  bool LoadParameters(const std::vector<std::uint8_t>& block) { return LoadParameters(block.data(), block.size()); }

  // The index of the first condition whose string occurs in the line, or -1.
  int ConditionMatches(const ExtractConditions& list, const std::uint8_t* line, std::size_t length) const;

  // Runs the steps of execution over the lines of text.
  ExtractFailure Plan(std::uint32_t execution, const std::uint8_t* text, std::size_t length, ExtractPlan& plan) const;

  // Writes the planned lines, each block's first preceded by the separator
  // line when it is on, as pieces to sink. keepGoing is asked between
  // lines with the count written; false stops (what was written stays).
  // True when every line was written.
  bool Write(const ExtractPlan& plan, const std::uint8_t* text, const std::vector<std::uint32_t>& starts,
             const std::function<void(const std::uint8_t*, std::size_t)>& sink,
             const std::function<bool(unsigned long)>& keepGoing) const;

 private:
  class Scanner;
};

extern CExtractManeger gExtract;

}  // namespace quarn
