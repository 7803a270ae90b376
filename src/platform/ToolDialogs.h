// The dialogs of the text tools: the line extraction's property sheet and
// its result, the free conversion's rule table, the template formatting's
// file choice and the comparison's document choice. Plain values go in and
// out; the checks are the program's, handed in as functions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quarn {

struct ExtractConditionValues {
  std::string text;  // CP932
  int position = 0;
  int lines = 0;
};

struct ExtractSheetRequest {
  int page = 0;  // 0 "パラメータ", 1 "ステップ1", 2 "ステップ2": shown first, and the last shown on return
  int execution = 3;  // 3 "ステップ1--->ステップ2(&F)", 1 "ステップ1(&O)", 2 "ステップ2(&T)"
  bool display = true;  // "表示しながら抽出する(&D)"
  bool information = true;
  bool addSeparator = false;
  std::string separator;
  bool matchCase = false;
  bool regular = false;
  bool distinguishWidth = true;
  bool record = false;  // "操作を記録する(&W)"
  bool step1Extracts = false;
  std::vector<ExtractConditionValues> step1;
  bool step2Deletes = false;
  std::vector<ExtractConditionValues> starts;
  std::vector<ExtractConditionValues> ends;
  // "追加(&B)": true when the condition may join a list of this many.
  std::function<bool(const ExtractConditionValues&, std::size_t count)> canAdd;
};

struct ExtractResultValues {
  // Per step: 元の行数, 削除行数, 抽出行数; the blocks under 削除ブロック数
  // when the step deleted, else under 抽出ブロック数.
  struct Step {
    std::uint32_t total = 0;
    std::uint32_t deleted = 0;
    std::uint32_t extracted = 0;
    std::uint32_t blocks = 0;
    bool deletes = false;
  };
  Step step1;
  Step step2;
};

struct FreeConvRequest {
  struct Row {
    std::string source;  // "変換前"
    std::string target;  // "変換後"
  };
  std::vector<Row> rows;                // ten
  std::vector<std::string> classNames;  // "コード種別(&T):"
  bool newDocument = false;             // "新規文書へ出力(&N)"
  // "実行": -1 closes the dialog; otherwise the dialog stays with the focus
  // on the source edit of that row.
  std::function<int(const FreeConvRequest&)> accept;
};

struct FormRequest {
  std::string name;                  // "テンプレートファイル名(&F):"
  std::vector<std::string> history;  // its list, newest first
  std::string browseTitle;           // the file dialog of "参照(&B)"
  // OK: false keeps the dialog open (after the check's beep or message).
  std::function<bool(const FormRequest&)> accept;
};

struct CompareRequest {
  std::vector<std::string> candidates;  // "比較先文書(&T):"
  int chosen = -1;
};

class ToolDialogService {
 public:
  virtual ~ToolDialogService() = default;
  // True for OK; the request then holds what the user left in the controls.
  virtual bool extractSheet(ExtractSheetRequest& request) = 0;
  virtual void extractResult(const ExtractResultValues& values) = 0;
  virtual bool freeConversion(FreeConvRequest& request) = 0;
  virtual bool formDialog(FormRequest& request) = 0;
  virtual bool compareDialog(CompareRequest& request) = 0;
};

// The service installed by the platform (null until then).
ToolDialogService*& ToolDialogs();

}  // namespace quarn
