#include "core/app/KeyCommands.h"

#include "core/app/CDataFile.h"
#include "core/app/DocTemplate.h"
#include "core/operations/CustomisePages.h"

#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/keys/CAccTblManeger.h"
#include "core/keys/CKeyDialog.h"
#include "core/commands/Menus.h"
#include "core/res/StringTable.h"

namespace quarn {
namespace {

// The memory the operation commands try before they start.
constexpr std::size_t kOperationMemoryCheck = 0x20000;
constexpr unsigned kSheetTitle = 59448;

// The page the sheet showed last, shown first next time.
int gLastPage = 0;

void RunCustomiseSheet(DocTemplate& documents) {
  KeyDialogService* service = KeyDialogs();
  if (!service || !MemoryCheck(kOperationMemoryCheck)) return;
  gKeyTable.PurgeOperationKeys();
  std::vector<KeyEntry> saved = gKeyTable.Entries();
  CKeyDialog keyboard(gKeyTable);
  CustomisePages pages;
  OpenCustomisePages() = &pages;
  CustomiseSheetRequest request;
  request.title = LoadString(kSheetTitle);
  request.page = gLastPage;
  keyboard.OnInitDialog(request.keyboard);
  request.categoryChanged = [&](KeyboardPage& page) { keyboard.OnCategory(page); };
  request.commandChanged = [&](KeyboardPage& page) { keyboard.OnCommand(page); };
  request.addKey = [&](KeyboardPage& page) { keyboard.OnAdd(page); };
  request.removeKey = [&](KeyboardPage& page) { keyboard.OnRemove(page); };
  const bool ok = service->customiseSheet(request);
  OpenCustomisePages() = nullptr;
  gLastPage = request.page;
  if (!ok) {
    gKeyTable.SetEntries(std::move(saved));
    return;
  }
  gKeyTable.UpdateMenuKeys(menus::MainMenu());
  gKeyTable.SaveKeys();
  // Tools, toolbar and popup menu as the pages left them; the frame rebuilds
  // the toolbar and the menus after the command.
  pages.Apply();
  gDataFile.Save(DataFilePath());
  if (request.keyboard.listRequested) gKeyTable.WriteKeyList(documents.OpenDocumentFile({}));
}

}  // namespace

bool RunKeyCommand(unsigned id, DocTemplate& documents) {
  if (id != cmd::kCustomise) return false;
  RunCustomiseSheet(documents);
  return true;
}

bool UpdateKeyCommand(unsigned id, CommandState& state) {
  if (id != cmd::kCustomise) return false;
  state.enabled = true;
  return true;
}

}  // namespace quarn
