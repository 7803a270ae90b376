// The commands of the text tools as the main frame runs them: line
// extraction (32883) and free conversion (32888) on the active text
// document, comparison (32911) and template formatting (32912) on the
// active binary document. Each asks its dialog (or, during playback, takes
// the replayed parameter block), records itself and writes its result
// through the text window's append path.
#pragma once

#include <functional>
#include <string>

namespace quarn {

class CExtractManeger;
class CVeskDoc;
class CVeskView;
class DocTemplate;

void ExtractLinesCommand(DocTemplate& documents, CVeskView* active);
void FreeConversionCommand(DocTemplate& documents, CVeskView* active);
void CompareCommand(DocTemplate& documents, CVeskView* active);
void FormatCommand(DocTemplate& documents, CVeskView* active);

// The extraction of m over source, written into target (the part of 32883
// after its sheet); false, after a beep, when nothing was extracted.
bool ExtractInto(const CExtractManeger& m, DocTemplate& documents, CVeskDoc& source, CVeskDoc& target);

// The comparison's result document, closed before the next comparison makes
// a new one; forgotten when it is closed meanwhile.
void ForgetCompareResult();

// The progress window of a tool's long loop, asked with the count done:
// false once the user stopped it. Made in one place so that every tool
// shares the one progress-and-stop window.
std::function<bool(unsigned long)> ToolProgress(const std::string& caption, const std::string& text);

}  // namespace quarn
