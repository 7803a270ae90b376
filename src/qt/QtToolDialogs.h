// The text tools' dialogs: the line extraction's sheet ("行の抽出") with its
// three pages and its result, the free conversion's rule table ("自由変換"),
// the template choice ("整形") and the comparison's document choice ("比較").
#pragma once

#include <QDialog>
#include <QPointer>

#include "platform/ToolDialogs.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace quarn::qt {

class QtExtractSheet : public QDialog {
  Q_OBJECT

 public:
  QtExtractSheet(ExtractSheetRequest& request, QWidget* parent = nullptr);
  void accept() override;
  QTabWidget* pages() const { return pages_; }

 private:
  // The condition list of one step's page, with the string and number
  // controls that add to it.
  struct ConditionList {
    QListWidget* list = nullptr;
    QLabel* label = nullptr;
    std::vector<ExtractConditionValues> values;
  };
  QWidget* parametersPage();
  QWidget* step1Page();
  QWidget* step2Page();
  void add(ConditionList& list, QLineEdit* text, QSpinBox* position, QSpinBox* lines);
  void remove(ConditionList& list);
  void relabel();

  ExtractSheetRequest& request_;
  QTabWidget* pages_;
  QButtonGroup* execution_;
  QCheckBox* display_;
  QCheckBox* information_;
  QCheckBox* addSeparator_;
  QLineEdit* separator_;
  QCheckBox* matchCase_;
  QCheckBox* regular_;
  QCheckBox* width_;
  QCheckBox* record_;
  QRadioButton* step1Extracts_;
  QRadioButton* step2Deletes_;
  ConditionList step1_;
  ConditionList starts_;
  ConditionList ends_;
  ConditionList* step2Target_ = &starts_;  // the list "追加(&B)" of step 2 adds to
};

class QtFreeConvDialog : public QDialog {
  Q_OBJECT

 public:
  QtFreeConvDialog(FreeConvRequest& request, QWidget* parent = nullptr);
  void accept() override;
  QLineEdit* sourceEdit(int row) const { return sources_[std::size_t(row)]; }
  QLineEdit* targetEdit(int row) const { return targets_[std::size_t(row)]; }
  QListWidget* classList() const { return classes_; }

 private:
  FreeConvRequest read() const;

  FreeConvRequest& request_;
  std::vector<QLineEdit*> sources_;
  std::vector<QLineEdit*> targets_;
  QListWidget* classes_;
  QCheckBox* newDocument_;
};

class QtToolDialogs : public ToolDialogService {
 public:
  explicit QtToolDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  bool extractSheet(ExtractSheetRequest& request) override;
  void extractResult(const ExtractResultValues& values) override;
  bool freeConversion(FreeConvRequest& request) override;
  bool formDialog(FormRequest& request) override;
  bool compareDialog(CompareRequest& request) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quarn::qt
