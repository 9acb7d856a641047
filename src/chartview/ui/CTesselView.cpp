#include "chartview/ui/CTesselView.h"

#include <QPainter>
#include <QScrollBar>

#include "document/ChartDocument.h"

namespace plume::chartview {

CTesselView::CTesselView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  viewport()->setAutoFillBackground(false);
  setFocusPolicy(Qt::StrongFocus);
}

void CTesselView::SetDocument(const document::ChartDocument* doc) {
  doc_ = doc;
  ShowCurrentPage();
}

void CTesselView::ShowCurrentPage() {
  UpdateRanges();
  if (doc_ && doc_->header.pageCount > 0) {
    ScrollTo({doc_->CurrentPage().scrollX, doc_->CurrentPage().scrollY});
  }
  viewport()->update();
}

QSize CTesselView::PageSize() const {
  if (!doc_ || doc_->header.pageCount == 0) return {};
  return {doc_->CurrentPage().pageWidth, doc_->CurrentPage().pageHeight};
}

QPoint CTesselView::ScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CTesselView::ScrollTo(QPoint position) {
  horizontalScrollBar()->setValue(position.x());
  verticalScrollBar()->setValue(position.y());
}

void CTesselView::UpdateRanges() {
  const QSize page = PageSize();
  const QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, page.width() - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, page.height() - view.height()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setPageStep(view.height());
}

void CTesselView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateRanges();
}

void CTesselView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), QColor(0xE0, 0xE0, 0xE0));
  const QRect page(-ScrollPosition(), PageSize());
  painter.fillRect(page, Qt::white);
}

}  // namespace plume::chartview
