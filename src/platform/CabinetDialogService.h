// The dialogs of the cabinet commands: the new-cabinet dialog, the cabinet
// sheet with its four pages, the font dialog and the colour chooser. Plain
// values go in and out; the checks are the program's, handed in as
// functions.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Types.h"

namespace quarn {

// Dialog 101 "新規キャビネットの作成".
struct CabCreateRequest {
  std::string name;                    // CP932; at most 128 characters are typed
  int type = -1;                       // the list's selection 0 to 3; -1 none
  std::vector<std::string> typeNames;  // the four entries of the list
  // OK: false keeps the dialog open. It may rewrite name (shown in the edit).
  std::function<bool(CabCreateRequest&)> accept;
  // The browse button: a file-save dialog whose choice replaces name.
  std::function<void(std::string& name)> browse;
};

// Page 103 "書式"; the spacings in millimetres with one decimal.
struct CabinetFormatPage {
  int charsPerLine = 80;  // 10 to 250
  int tabColumns = 4;     // 2 to 20
  int lineNumberMode = 0;
  double lineSpacing = 0.0;  // 0.0 to 10.0
  double charSpacing = 0.0;
  bool showEolMark = false;
  bool showTabMark = false;
  bool freeCursor = false;
  bool autoIndent = false;
  bool tabKeySpaces = false;
  bool saveMarkedLines = false;
  bool saveMarkedChars = false;
  bool wordWrap = false;
  bool kinsoku = false;
  int docType = 0;
  std::vector<std::string> docTypeNames;
};

using FilterPairs = std::vector<std::pair<std::string, std::string>>;  // title, wildcard list

struct CabinetSheetRequest {
  static constexpr int kColorCount = 11;
  std::string title;
  int page = 0;  // in: the page shown first; out: the page shown last
  CabinetFormatPage format;
  // Page 105 "カラー": the eleven colours in their stored order, without
  // the flag bit, and their button labels.
  std::array<ColorRef, kColorCount> colors{};
  std::array<std::string, kColorCount> colorLabels;
  // Page 106 "キーワード": one keyword per line, CR LF after each.
  std::string keywordText;
  bool caseSensitive = true;
  bool wholeWord = true;
  // Page 124 "フィルタ": the lists of the three document types.
  std::array<FilterPairs, 3> filters;

  // Leaving the keyword page: false (after its message) keeps the page.
  std::function<bool(const std::string& text)> acceptKeywords;
  // A changed filter pair: 0 accepted, 1 the title refused, 2 the wildcard
  // list refused.
  std::function<int(const std::string& title, const std::string& patterns)> checkFilterPair;
  // A colour button: the colour chooser started with color; false on Cancel.
  std::function<bool(ColorRef& color)> chooseColor;
  // The built-in list of a document type ("標準設定").
  std::function<FilterPairs(int type)> builtinFilters;
};

// The font dialog (fixed-pitch screen fonts). In: the font with its height
// in points. Out: the chosen font, its height the chosen size in points, and
// the screen's vertical dots per inch.
struct FontRequest {
  LogFont font;
  int screenDpi = 96;
};

// The colour chooser, started with color and the 16 custom colours, which
// come back as the user left them.
struct ColorRequest {
  ColorRef color = 0;
  std::array<ColorRef, 16> customColors{};
};

class CabinetDialogService {
 public:
  virtual ~CabinetDialogService() = default;
  // Each answers true for OK.
  virtual bool cabCreateDialog(CabCreateRequest& request) = 0;
  virtual bool cabinetSheet(CabinetSheetRequest& request) = 0;
  virtual bool fontDialog(FontRequest& request) = 0;
  virtual bool chooseColor(ColorRequest& request) = 0;
};

// The service installed by the platform (null until then).
CabinetDialogService*& CabinetDialogs();

}  // namespace quarn
