#include "shell/ui/RibbonPanelRow.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace plume::shell {

namespace {
constexpr int kGap = 2;
}  // namespace

QString RibbonPanelRow::CollapsedCaption(const QString& caption) {
  constexpr int kOneLine = 4;
  if (caption.size() <= kOneLine) return caption;
  // Break at the separator "・" nearest the middle, else where Latin letters
  // meet Japanese ones, else in the middle.
  const qsizetype middle = caption.size() / 2;
  qsizetype at = -1;
  for (qsizetype i = caption.indexOf(QChar(0x30FB)); i >= 0; i = caption.indexOf(QChar(0x30FB), i + 1))
    if (at < 0 || std::abs(i + 1 - middle) < std::abs(at - middle)) at = i + 1;
  for (qsizetype i = 1; at < 0 && i < caption.size(); ++i)
    if ((caption[i - 1].unicode() < 0x80) != (caption[i].unicode() < 0x80)) at = i;
  if (at < 0) at = middle;
  return caption.left(at) + QLatin1Char('\n') + caption.mid(at);
}

RibbonPanelRow::RibbonPanelRow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("panelRow"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void RibbonPanelRow::AddPanel(QWidget* panel, const QString& caption) {
  Slot slot;
  slot.panel = panel;
  panel->setParent(this);
  slot.button = new QToolButton(this);
  slot.button->setObjectName(QStringLiteral("collapsedPanel"));
  slot.button->setText(CollapsedCaption(caption) + QStringLiteral("\n▾"));
  slot.button->setToolTip(caption);
  slot.button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  slot.button->setAutoRaise(true);
  slot.button->hide();
  const int index = static_cast<int>(slots_.size());
  connect(slot.button, &QToolButton::clicked, this, [this, index] { OpenPopup(index); });

  // The popup that holds the panel while it is collapsed; clicking outside closes it.
  slot.popup = new QFrame(this, Qt::Popup);
  slot.popup->setObjectName(QStringLiteral("panelPopup"));
  slot.popup->setFrameShape(QFrame::StyledPanel);
  slot.popup->setStyleSheet(QStringLiteral("#panelPopup { background: #f5f6f7; border: 1px solid #a0a0a0; }"));
  auto* layout = new QVBoxLayout(slot.popup);
  layout->setContentsMargins(4, 3, 4, 2);
  // A command chosen in the popup closes it, as a menu would.
  for (auto* button : panel->findChildren<QToolButton*>()) {
    connect(button, &QToolButton::triggered, slot.popup, [popup = slot.popup](QAction* action) {
      if (!action->menu()) popup->hide();
    });
  }
  slots_.push_back(slot);
  updateGeometry();
  Relayout();
}

int RibbonPanelRow::RowHeight() const {
  int height = 0;
  for (const Slot& slot : slots_) height = std::max(height, slot.panel->sizeHint().height());
  return height;
}

QSize RibbonPanelRow::sizeHint() const {
  int width = 0;
  for (const Slot& slot : slots_) width += slot.panel->sizeHint().width() + kGap;
  return {width, RowHeight()};
}

QSize RibbonPanelRow::minimumSizeHint() const {
  int width = 0;
  for (const Slot& slot : slots_) width += slot.button->sizeHint().width() + kGap;
  return {width, RowHeight()};
}

int RibbonPanelRow::FittingPanels(const std::vector<int>& full, const std::vector<int>& collapsed, int gap,
                                  int width) {
  const int count = static_cast<int>(full.size());
  // Panels 0..k-1 in full, k..count-1 collapsed; the largest k that fits.
  for (int k = count; k > 0; --k) {
    int needed = 0;
    for (int i = 0; i < count; ++i) needed += (i < k ? full[i] : collapsed[i]) + gap;
    if (needed <= width + gap) return k;
  }
  return 0;
}

void RibbonPanelRow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

bool RibbonPanelRow::event(QEvent* event) {
  // A panel whose contents changed size (a longer caption) may no longer fit.
  if (event->type() == QEvent::LayoutRequest) Relayout();
  return QWidget::event(event);
}

void RibbonPanelRow::Dock(Slot& slot) {
  if (slot.panel->parentWidget() == this) return;
  slot.popup->hide();
  slot.popup->layout()->removeWidget(slot.panel);
  slot.panel->setParent(this);
}

void RibbonPanelRow::Undock(Slot& slot) {
  if (slot.panel->parentWidget() == slot.popup) return;
  slot.panel->setParent(slot.popup);
  slot.popup->layout()->addWidget(slot.panel);
  slot.panel->show();
}

void RibbonPanelRow::Relayout() {
  if (relayouting_) return;
  relayouting_ = true;
  std::vector<int> full;
  std::vector<int> collapsed;
  for (const Slot& slot : slots_) {
    full.push_back(slot.panel->sizeHint().width());
    collapsed.push_back(slot.button->sizeHint().width());
  }
  expanded_ = FittingPanels(full, collapsed, kGap, width());
  const int h = height();
  int x = 0;
  for (int i = 0; i < PanelCount(); ++i) {
    Slot& slot = slots_[i];
    if (i < expanded_) {
      Dock(slot);
      slot.button->hide();
      slot.panel->setGeometry(x, 0, full[i], h);
      slot.panel->show();
      x += full[i] + kGap;
    } else {
      Undock(slot);
      slot.button->setGeometry(x, 0, collapsed[i], h);
      slot.button->show();
      x += collapsed[i] + kGap;
    }
  }
  relayouting_ = false;
}

bool RibbonPanelRow::OpenPopup(int index) {
  if (index < expanded_ || index >= PanelCount()) return false;
  Slot& slot = slots_[index];
  slot.popup->adjustSize();
  QPoint at = slot.button->mapToGlobal(QPoint(0, slot.button->height()));
  // Keep the popup on the screen: shift it left when it would end past the right edge.
  if (const QScreen* screen = slot.button->screen()) {
    const QRect area = screen->availableGeometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - slot.popup->width())));
  }
  slot.popup->move(at);
  slot.popup->show();
  return true;
}

QFrame* RibbonPanelRow::OpenedPopup() const {
  for (const Slot& slot : slots_) {
    if (slot.popup->isVisible()) return slot.popup;
  }
  return nullptr;
}

}  // namespace plume::shell
