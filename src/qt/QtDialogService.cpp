#include "qt/QtDialogService.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "core/res/StringTable.h"
#include "qt/QtBinarySettingsDialog.h"
#include "qt/QtCommonSettingsSheet.h"
#include "qt/QtJumpDialog.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

constexpr const char* kReadOnlyBox = "quarnReadOnly";
constexpr const char* kOpenModeList = "quarnOpenMode";

QString QtPatterns(const QString& patterns) {
  QStringList out;
  for (const QString& p : patterns.split(u';', Qt::SkipEmptyParts)) {
    const QString trimmed = p.trimmed();
    if (trimmed.isEmpty()) continue;
    out << (trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
  }
  return out.isEmpty() ? QStringLiteral("*") : out.join(u' ');
}

// The read-only check box of the open dialog, added below Qt's own fields.
void AddReadOnlyBox(QFileDialog& dialog, bool checked) {
  auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
  if (!layout) return;
  auto* box = new QCheckBox(ToQString(texts::kFileDialogReadOnly), &dialog);
  box->setObjectName(kReadOnlyBox);
  box->setChecked(checked);
  layout->addWidget(box, layout->rowCount(), 0, 1, layout->columnCount());
}

// The "用途(&U):" list of the open dialog, in a row of its own below the
// file type list; each choice is told to the request at once.
void AddOpenModeList(QFileDialog& dialog, const FileDialogRequest& request) {
  auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
  if (!layout || request.openModes.empty()) return;
  auto* list = new QComboBox(&dialog);
  list->setObjectName(kOpenModeList);
  for (const std::string& mode : request.openModes) list->addItem(ToQString(mode));
  list->setCurrentIndex(request.openMode >= 0 && request.openMode < list->count() ? request.openMode : 0);
  auto* label = new QLabel(ToQString(texts::kOpenModeLabel), &dialog);
  label->setBuddy(list);
  const int row = layout->rowCount();
  layout->addWidget(label, row, 0);
  layout->addWidget(list, row, 1, 1, layout->columnCount() - 1);
  if (request.openModeChanged)
    QObject::connect(list, &QComboBox::currentIndexChanged, &dialog, request.openModeChanged);
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(u'|');
  QStringList filters;
  // Pairs up to the first empty title: the list ends with "||".
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    filters << parts[i] + QStringLiteral(" (") + QtPatterns(parts[i + 1]) + QLatin1Char(')');
  }
  return filters;
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  // Qt's own dialog: it can carry the read-only box and speaks the
  // translation the program loads.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setWindowTitle(ToQString(request.title));
  dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(request.open && request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);

  const QStringList filters = QtNameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const qsizetype index = request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex - 1 : 0;
    dialog.selectNameFilter(filters[index]);
  }
  if (!request.initialDir.empty()) dialog.setDirectory(PathToQString(request.initialDir));
  if (!request.fileName.empty()) dialog.selectFile(PathToQString(request.fileName));
  if (request.open && request.showOpenMode) AddOpenModeList(dialog, request);
  if (request.open && !request.hideReadOnly) AddReadOnlyBox(dialog, request.readOnly);
}

bool QtDialogService::fileDialog(FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow());
  ConfigureFileDialog(dialog, request);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QFileInfo chosen(dialog.selectedFiles().first());
    const bool pathOk = !request.pathMustExist || chosen.absoluteDir().exists();
    const bool fileOk = !request.fileMustExist || chosen.isFile();
    if (pathOk && fileOk) break;
    // A name in a missing directory is refused and the dialog stays.
    QApplication::beep();
  }
  request.fileName = PathToCp932(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath());
  // The selected filter comes back as shown, without the pattern part.
  const QString selected = dialog.selectedNameFilter();
  const QStringList filters = dialog.nameFilters();
  request.filterIndex = 1;
  for (qsizetype i = 0; i < filters.size(); ++i) {
    if (filters[i] == selected || filters[i].startsWith(selected + QStringLiteral(" ("))) {
      request.filterIndex = int(i) + 1;
      break;
    }
  }
  if (auto* box = dialog.findChild<QCheckBox*>(kReadOnlyBox)) request.readOnly = box->isChecked();
  if (auto* list = dialog.findChild<QComboBox*>(kOpenModeList)) request.openMode = std::max(list->currentIndex(), 0);
  return true;
}

}  // namespace quarn::qt

namespace quarn::qt {

bool QtDialogService::jumpDialog(JumpDialogRequest& request) {
  QtJumpDialog dialog(request, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quarn::qt

namespace quarn::qt {

bool QtDialogService::commonSettingsSheet(CommonSettingsRequest& request) {
  QtCommonSettingsSheet dialog(request, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

bool QtDialogService::binarySettingsDialog(BinarySettingsRequest& request) {
  QtBinarySettingsDialog dialog(request, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quarn::qt
