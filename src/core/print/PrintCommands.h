// The print commands of a document view: print, print preview and the page
// layout dialog. Printing runs through the platform's print service, which
// calls back into a job that paginates and draws each page.
#pragma once

#include <functional>

#include "core/print/CPrtManeger.h"
#include "platform/CommandState.h"

namespace quarn {

class CVeskView;
class CPageLayout;

// Shows the page layout dialog; false on Cancel.
using PageLayoutDialog = std::function<bool(CPageLayout&)>;

// The dialog the page layout command shows; the user interface sets it.
PageLayoutDialog& PageLayoutDialogHook();

// Runs 57607, 57609 or 32791 for view; false for any other command.
// keepGoing is asked while a long text is laid out (null: never stop).
bool RunPrintCommand(CVeskView& view, unsigned id, const KeepGoing& keepGoing = {});
// Enables those three commands; false for any other.
bool UpdatePrintCommand(unsigned id, CommandState& state);

}  // namespace quarn
