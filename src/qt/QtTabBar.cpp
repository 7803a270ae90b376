#include "qt/QtTabBar.h"

#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/common/Settings.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

constexpr int kMarkSize = 6;

// The three six-pixel marks of a modified document: a dot, a square and a
// triangle, all in red.
QIcon ModifiedMark(int image) {
  QPixmap pixmap(kMarkSize, kMarkSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, image != 1);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xD0, 0x10, 0x10));
  switch (image) {
    case 1: painter.drawRect(0, 0, kMarkSize, kMarkSize); break;
    case 2: painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(kMarkSize, 0), QPoint(kMarkSize / 2, kMarkSize)})); break;
    default: painter.drawEllipse(0, 0, kMarkSize, kMarkSize); break;
  }
  painter.end();
  return QIcon(pixmap);
}

QIcon ImageIcon(int image) { return image < 0 ? QIcon() : ModifiedMark(image); }

// Tabs drawn as push buttons.
const char kButtonStyle[] =
    "QTabBar::tab { border: 1px outset palette(mid); border-radius: 2px; margin: 1px; padding: 1px 8px; }"
    "QTabBar::tab:selected { border-style: inset; background: palette(midlight); }";

}  // namespace

QtTabBar::QtTabBar(CTabBar& model, QWidget* parent) : QWidget(parent), model_(model), tabs_(new QTabBar(this)) {
  setObjectName(QStringLiteral("tabBar"));
  tabs_->setObjectName(QStringLiteral("documentTabs"));
  tabs_->setExpanding(false);
  tabs_->setUsesScrollButtons(true);
  tabs_->setIconSize(QSize(kMarkSize, kMarkSize));
  QFont font = tabs_->font();
  font.setPointSize(9);
  tabs_->setFont(font);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(0);
  layout->addWidget(tabs_);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (filling_ || index < 0) return;
    // The text as the model wrote it: a file name may not survive a trip
    // through the displayed text.
    model_.OnSelectionChange(index, tabs_->tabData(index).toByteArray().toStdString());
  });
  applySettings();
}

void QtTabBar::applySettings() {
  const bool buttons = gSettings.ButtonStyleTabBar > 0;
  const bool top = gSettings.TabBarPosition > 0;
  tabs_->setShape(top ? QTabBar::RoundedNorth : QTabBar::RoundedSouth);
  tabs_->setDrawBase(!buttons);
  tabs_->setStyleSheet(buttons ? QString::fromLatin1(kButtonStyle) : QString());
  // The tabs sit "TabBarHeightAdjust" pixels below the bar's top.
  const int adjust = buttons ? gSettings.TabBarHeightAdjust : 0;
  layout()->setContentsMargins(0, adjust, 0, 0);
}

void QtTabBar::setTabs(const std::vector<TabItem>& tabs) {
  filling_ = true;
  const int current = tabs_->currentIndex();
  while (tabs_->count() > int(tabs.size())) tabs_->removeTab(tabs_->count() - 1);
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    const int index = int(i);
    if (index >= tabs_->count()) tabs_->addTab(QString());
    tabs_->setTabText(index, DisplayText(tabs[i].text));
    tabs_->setTabData(index, QByteArray::fromStdString(tabs[i].text));
    tabs_->setTabIcon(index, ImageIcon(tabs[i].image));
  }
  if (current >= 0 && current < tabs_->count()) tabs_->setCurrentIndex(current);
  filling_ = false;
}

void QtTabBar::setTabImage(int index, int image) {
  if (index >= 0 && index < tabs_->count()) tabs_->setTabIcon(index, ImageIcon(image));
}

void QtTabBar::selectTab(int index) {
  filling_ = true;
  tabs_->setCurrentIndex(index);
  filling_ = false;
}

}  // namespace quarn::qt
