#include "core/res/Menus.h"

#include "core/res/StringTable.h"

namespace quarn::menus {
namespace {

// A command's text up to its "\n" (what follows is the tooltip).
MenuItem Command(unsigned id) {
  const std::string& text = LoadString(id);
  return {ItemKind::kCommand, id, text.substr(0, text.find('\n'))};
}
MenuItem Separator() { return {ItemKind::kSeparator, 0, {}}; }
MenuItem RecentFiles() { return {ItemKind::kRecentFiles, kFirstRecentFile, {}}; }

}  // namespace

const MenuBar& NoDocumentMenu() {
  static const MenuBar bar = {
      {texts::kMenuFile, {Command(57600), Command(57601), RecentFiles(), Separator(), Command(57665)}},
      {texts::kMenuOption, {Command(32881), Command(32814), Command(32780), Separator(), Command(32776), Command(32777)}},
      {texts::kMenuHelp, {Command(32916), Command(57664)}},
  };
  return bar;
}

const MenuBar& DocumentMenu() {
  static const MenuBar bar = {
      {texts::kMenuFile,
       {Command(57600), Command(57601), Command(57602), Command(57603), Command(57604), Separator(),
        Command(57607), Command(57609), Command(32791), Command(57606), Separator(), RecentFiles(),
        Separator(), Command(57665)}},
      {texts::kMenuEdit,
       {Command(57643), Command(57644), Separator(), Command(57635), Command(57634), Command(32910),
        Command(57637), Separator(), Command(57636), Command(57641), Command(32911), Command(32912),
        Separator(), Command(32803), Command(32789), Command(32788), Separator(), Command(32772),
        Command(32773), Command(32774), Command(32775), Command(32913)}},
      {texts::kMenuOption,
       {Command(32881), Command(32814), Command(32780), Command(32873), Separator(), Command(32776), Command(32777)}},
      {texts::kMenuWindow, {Command(57648), Command(57650), Command(57651), Command(57649)}},
      {texts::kMenuHelp, {Command(32916), Command(57664)}},
  };
  return bar;
}

std::string RecentFileText(unsigned index, const std::string& path) {
  return "&" + std::to_string(index + 1) + " " + path;
}

}  // namespace quarn::menus
