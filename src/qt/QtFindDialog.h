// The modeless find and replace dialog: one at a time, owned by the main
// frame; its buttons go to the window that opened it.
#pragma once

#include <QDialog>

#include "platform/FindDialogService.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace quarn::qt {

class QtFindDialog : public QDialog {
  Q_OBJECT

 public:
  QtFindDialog(bool findOnly, QWidget* parent);

  bool findOnly() const { return findOnly_; }
  void setFields(const FindDialogFields& fields, const std::vector<std::string>& findHistory,
                 const std::vector<std::string>& replaceHistory);
  FindDialogFields fields() const;
  void setClient(FindDialogClient* client) { client_ = client; }
  FindDialogClient* client() const { return client_; }

  QComboBox* findBox() const { return find_; }
  QComboBox* replaceBox() const { return replace_; }
  QPushButton* findNextButton() const { return findNext_; }
  QPushButton* replaceButton() const { return replaceOne_; }
  QPushButton* replaceAllButton() const { return replaceAll_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void send(FindAction action);

  bool findOnly_;
  FindDialogClient* client_ = nullptr;
  QComboBox* find_ = nullptr;
  QComboBox* replace_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QCheckBox* escapes_ = nullptr;
  QCheckBox* regular_ = nullptr;
  QCheckBox* width_ = nullptr;
  QPushButton* findNext_ = nullptr;
  QPushButton* replaceOne_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
};

// The platform's dialog service: creates, activates and closes the one
// dialog.
class QtFindDialogService : public FindDialogService {
 public:
  explicit QtFindDialogService(QWidget* owner) : owner_(owner) {}
  ~QtFindDialogService() override;
  void open(bool findOnly, const FindDialogFields& fields, const std::vector<std::string>& findHistory,
            const std::vector<std::string>& replaceHistory, FindDialogClient* client) override;
  bool isOpen() const override { return dialog_ != nullptr; }
  bool isFindOnly() const override;
  FindDialogClient* client() const override;
  void activate() override;
  void close() override;
  QtFindDialog* dialog() const { return dialog_; }

 private:
  QWidget* owner_;
  QtFindDialog* dialog_ = nullptr;
};

}  // namespace quarn::qt
