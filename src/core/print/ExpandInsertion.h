// The "$" codes of an inserted text and of a program's parameters: "$Y" the
// year, "$f" the document's path, "$l" the caret's line and so on.
#pragma once

#include <ctime>
#include <string>

namespace quarn {

// Expands the "$" codes of text (CP932). fullName is the document's full path
// (empty without a document); line and column are the caret's, from 1; now is
// the local time the date and time codes show. The result is cut before it
// would reach 256 bytes.
std::string ExpandInsertion(const std::string& text, const std::string& fullName,
                            unsigned long line, unsigned long column, const std::tm& now);

// The same, with the current local time.
std::string ExpandInsertion(const std::string& text, const std::string& fullName,
                            unsigned long line, unsigned long column);

// The dialog lists the codes from texts::kInsertionCodes, one entry a line.

// The local time now (the clock of the date and time codes).
std::tm LocalTimeNow();

}  // namespace quarn
