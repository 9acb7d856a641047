#include "document/ui/CUnderBar.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "document/ui/CRenameDlg.h"
#include "platform/Cp932.h"
#include "platform/qt/BalloonTip.h"
#include "platform/qt/QtConvert.h"

namespace plume::document {

using platform::ToQColor;
using platform::FromCp932;

namespace {
constexpr int kTipMaxWidth = 1000;
}  // namespace

CUnderBar::CUnderBar(QWidget* parent) : QTabBar(parent) {
  setDrawBase(false);
  setExpanding(false);
  setUsesScrollButtons(true);
  setElideMode(Qt::ElideNone);
  setMouseTracking(true);
  setShape(QTabBar::RoundedSouth);
  // The tab tip shows at once and stays while the pointer is on the tab.
  tip_ = new platform::BalloonTip(*this, {}, {0, 0, 0});
}

CUnderBar::~CUnderBar() = default;

QLabel* CUnderBar::TipWindow() const { return tip_->Window(); }

void CUnderBar::SetDocument(ChartDocument& doc, const TabBarSettings& settings) {
  doc_ = &doc;
  settings_ = settings.Clamped();
  tabs_ = std::make_unique<PageTabs>(doc, *this, settings_.captionLength);
  Sync();
}

void CUnderBar::ApplySettings(const TabBarSettings& settings) {
  settings_ = settings.Clamped();
  if (tabs_) tabs_->SetCaptionLength(settings_.captionLength);
  Sync();
}

void CUnderBar::Sync() {
  if (!tabs_) return;
  const QSignalBlocker block(this);
  const auto& captions = tabs_->Captions();
  while (count() > static_cast<int>(captions.size())) removeTab(count() - 1);
  for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
    const QString text = FromCp932(captions[i]);
    if (i < count()) {
      setTabText(i, text);
    } else {
      addTab(text);
    }
  }
  setCurrentIndex(tabs_->Current());
  update();
}

std::optional<std::string> CUnderBar::AskPageName(std::string_view initialCp932) {
  CRenameDlg dialog(FromCp932(initialCp932), lastRightClick_, window());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return platform::ToCp932(dialog.Text());
}

void CUnderBar::CurrentScroll(int& x, int& y) {
  const QPoint p = scrollPosition ? scrollPosition() : QPoint();
  x = p.x();
  y = p.y();
}

void CUnderBar::CurrentPageChanged() {
  if (pageChanged) pageChanged();
}
void CUnderBar::ClearItemClipboard() {
  if (clearItemClipboard) clearItemClipboard();
}
void CUnderBar::DeleteMaterial(const NodeRecord& node) {
  if (deleteMaterial) deleteMaterial(node);
}

QSize CUnderBar::tabSizeHint(int index) const {
  const QFontMetrics fm(font());
  return {fm.horizontalAdvance(tabText(index)) + 16, fm.height() + 8};
}

void CUnderBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  for (int i = 0; i < count(); ++i) {
    const QRect r = tabRect(i);
    const bool on = doc_ && i < doc_->header.pageCount;
    painter.fillRect(r, on ? ToQColor(doc_->pages[i].tabBackColor) : QColor(Qt::white));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    if (i == currentIndex()) {
      painter.setPen(QPen(QColor(0x33, 0x66, 0xCC), 2));
      painter.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
    }
    painter.setPen(on ? ToQColor(doc_->pages[i].tabTextColor) : QColor(Qt::black));
    QFont f = font();
    f.setBold(i == currentIndex());
    painter.setFont(f);
    painter.drawText(r.adjusted(8, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop, tabText(i));
  }
}

void CUnderBar::mousePressEvent(QMouseEvent* event) {
  if (!tabs_) return;
  const int tab = tabAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton) {
    if (tab >= 0) tabs_->Click(tab);
    Sync();
  } else if (event->button() == Qt::RightButton) {
    lastRightClick_ = event->globalPosition().toPoint();
    if (tab >= 0) {
      tabs_->RightClick(tab);
      Sync();
    }
    if (menuRequested) menuRequested(lastRightClick_, tab >= 0);
  }
}

void CUnderBar::mouseReleaseEvent(QMouseEvent*) {}

// The bar's own wheel handling would move the highlight to another tab while
// the chart still shows the page it had: the wheel does nothing here.
void CUnderBar::wheelEvent(QWheelEvent* event) { event->accept(); }

void CUnderBar::mouseMoveEvent(QMouseEvent* event) {
  ShowTip(tabAt(event->position().toPoint()), event->globalPosition().toPoint());
}

void CUnderBar::leaveEvent(QEvent* event) {
  tip_->Hide();
  tipTab_ = -1;
  QTabBar::leaveEvent(event);
}

void CUnderBar::ShowTip(int tab, QPoint globalPos) {
  if (tab != tipTab_) tip_->Hide();
  tipTab_ = tab;
  if (tab < 0 || !tabs_) return;
  const int margin = settings_.tipMargin;
  tip_->SetStyle({ToQColor(settings_.tipBackColor), ToQColor(settings_.tipTextColor), QColor(0x80, 0x80, 0x80),
                  QMargins(margin, margin, margin, margin), kTipMaxWidth, true});
  tip_->ShowText(FromCp932(tabs_->FullName(tab)), globalPos);
}

}  // namespace plume::document
