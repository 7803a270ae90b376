#include "qt/QtOperationDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/res/StringTable.h"
#include "qt/QtNameWidth.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

constexpr int kMaxName = 260;
constexpr int kMaxComment = 100;

// A line edit that takes at most n CP932 bytes.
void LimitBytes(QLineEdit* edit, int n) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, n](const QString& text) {
    QString cut = text;
    while (int(ToCp932(cut).size()) > n) cut.chop(1);
    if (cut != text) edit->setText(cut);
  });
}

}  // namespace

bool QtOperationDialogs::recordDialog(RecordDialogRequest& request) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(texts::kRecordDialogTitle));
  auto* form = new QFormLayout(&dialog);
  auto* name = new QLineEdit(ToQString(request.name), &dialog);
  LimitBytes(name, kMaxName);
  form->addRow(ToQString(texts::kRecordNameLabel), name);
  auto* group = new QGroupBox(ToQString(texts::kShortcutGroup), &dialog);
  auto* row = new QHBoxLayout(group);
  auto* ctrl = new QCheckBox(ToQString(texts::kCtrlBox), group);
  auto* shift = new QCheckBox(ToQString(texts::kShiftBox), group);
  auto* key = new QComboBox(group);
  key->setEditable(true);
  for (const std::string& k : request.keyNames) key->addItem(ToQString(k));
  key->setCurrentIndex(request.keyIndex);
  auto* keyLabel = new QLabel(ToQString(texts::kKeyLabel), group);
  keyLabel->setBuddy(key);
  row->addWidget(ctrl);
  row->addWidget(shift);
  row->addWidget(keyLabel);
  row->addWidget(key);
  form->addRow(group);
  auto* comment = new QLineEdit(ToQString(request.comment), &dialog);
  LimitBytes(comment, kMaxComment);
  form->addRow(ToQString(texts::kCommentLabel), comment);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    request.name = ToCp932(name->text());
    request.comment = ToCp932(comment->text());
    request.ctrl = ctrl->isChecked();
    request.shift = shift->isChecked();
    request.keyText = ToCp932(key->currentText());
    request.keyIndex = key->currentText() == key->itemText(key->currentIndex()) ? key->currentIndex() : -1;
    bool focusName = false;
    if (!request.accept || request.accept(request, focusName)) {
      dialog.accept();
    } else if (focusName) {
      name->selectAll();
      name->setFocus();
    }
  });
  return dialog.exec() == QDialog::Accepted;
}

PlayDialogAnswer QtOperationDialogs::playDialog(PlayDialogRequest& request) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(texts::kPlayDialogTitle));
  auto* form = new QFormLayout(&dialog);
  auto* names = new QComboBox(&dialog);
  names->setEditable(true);
  KeepNameComboNarrow(*names);
  for (const std::string& n : request.names) names->addItem(ToQString(n));
  names->setCurrentText(ToQString(request.name));
  form->addRow(ToQString(texts::kPlayNameLabel), names);
  auto* key = new QLabel(&dialog);
  auto* comment = new QLabel(&dialog);
  // An operation file may carry a comment longer than the save dialog lets
  // the user type: it wraps instead of widening the dialog past the screen.
  comment->setWordWrap(true);
  form->addRow(ToQString(texts::kPlayKeyLabel), key);
  form->addRow(ToQString(texts::kPlayCommentLabel), comment);
  auto describe = [&] {
    std::string k, c;
    if (request.describe) request.describe(ToCp932(names->currentText()), k, c);
    key->setText(ToQString(k));
    comment->setText(ToQString(c));
  };
  QObject::connect(names, &QComboBox::currentTextChanged, &dialog, describe);
  describe();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* remove = buttons->addButton(ToQString(texts::kDeleteButton), QDialogButtonBox::ActionRole);
  QPushButton* play = buttons->addButton(ToQString(texts::kPlayButton), QDialogButtonBox::ActionRole);
  form->addRow(buttons);
  PlayDialogAnswer answer = PlayDialogAnswer::kCancel;
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
    if (!request.remove || !request.remove(ToCp932(names->currentText()))) return;
    names->removeItem(names->findText(names->currentText()));
    buttons->button(QDialogButtonBox::Ok)->setText(ToQString(texts::kCloseButton));
    play->setEnabled(false);
  });
  QObject::connect(play, &QPushButton::clicked, &dialog, [&] {
    request.name = ToCp932(names->currentText());
    answer = PlayDialogAnswer::kPlay;
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    request.name = ToCp932(names->currentText());
    if (request.accept && !request.accept(request.name)) {
      names->setFocus();
      return;
    }
    answer = PlayDialogAnswer::kOk;
    dialog.accept();
  });
  dialog.exec();
  return answer;
}

}  // namespace quarn::qt
