#include "core/res/Menus.h"

#include "core/res/StringTable.h"

namespace quarn::menus {
namespace {

MenuItem Command(unsigned id) { return {ItemKind::kCommand, id, LoadString(id)}; }
MenuItem Separator() { return {ItemKind::kSeparator, 0, {}}; }
MenuItem RecentFiles() { return {ItemKind::kRecentFiles, kFirstRecentFile, {}}; }

}  // namespace

const MenuBar& NoDocumentMenu() {
  static const MenuBar bar = {
      {texts::kMenuFile, {Command(57600), Command(57601), RecentFiles(), Separator(), Command(57665)}},
      {texts::kMenuOption, {Command(32881), Command(32780)}},
      {texts::kMenuHelp, {Command(32916), Command(57664)}},
  };
  return bar;
}

std::string RecentFileText(unsigned index, const std::string& path) {
  return "&" + std::to_string(index + 1) + " " + path;
}

}  // namespace quarn::menus
