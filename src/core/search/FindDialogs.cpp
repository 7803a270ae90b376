#include "core/search/FindDialogs.h"

#include <cstdio>

#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/search/CFindReplaceManeger.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"

namespace quarn {

void ShowFindDialog(bool findOnly, FindDialogClient* client, const std::string& findText, std::optional<bool> escapes) {
  FindDialogService* dialog = Platform().findDialog;
  if (!dialog) return;
  if (dialog->isOpen()) {
    if (dialog->isFindOnly() == findOnly && dialog->client() == client) {
      dialog->activate();
      return;
    }
    dialog->close();
  }
  FindDialogFields fields;
  fields.findText = findText;
  fields.replaceText = gFindReplace.replaceHistory.Newest();
  fields.down = gFindReplace.directionDown;
  fields.matchCase = gFindReplace.matchCase;
  fields.regular = gFindReplace.regular;
  fields.distinguishWidth = gFindReplace.distinguishWidth;
  fields.showEscapes = escapes.has_value();
  fields.escapes = escapes.value_or(false);
  dialog->open(findOnly, fields, gFindReplace.findHistory.Entries(), gFindReplace.replaceHistory.Entries(), client);
}

void CloseFindDialogOf(const FindDialogClient* client) {
  FindDialogService* dialog = Platform().findDialog;
  if (dialog && dialog->isOpen() && dialog->client() == client) dialog->close();
}

void RefreshFindBox() {
  if (FindBoxService* box = Platform().findBox) box->setHistory(gFindReplace.findHistory.Entries());
}

void ShowReplaceCount(std::uint32_t count, const char* caption) {
  char number[16];
  std::snprintf(number, sizeof number, "%lu", static_cast<unsigned long>(count));
  if (Platform().messages)
    Platform().messages->messageBox(FormatString1(msg::kReplaceCount, number), caption, mb::kOk | mb::kIconAsterisk);
}

}  // namespace quarn
