#include "chartview/ui/CTesselView.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "platform/qt/QtCanvas.h"

namespace plume::chartview {

namespace {
constexpr int kWheelNotch = 120;  ///< angle delta of one wheel step
}  // namespace

CTesselView::CTesselView(document::ChartDocument& doc, platform::SettingsStore& settings,
                         platform::ScratchSurface* scratch, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), view_(doc, settings, *this, scratch), hooks_(view_) {
  setFrameShape(QFrame::NoFrame);
  // Every paint covers the whole viewport from the back buffer.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(10);
  verticalScrollBar()->setSingleStep(10);
  doc_.SetHooks(&hooks_);
  view_.SetClientSize({viewport()->width(), viewport()->height()});
  SetScrollExtent(view_.ScrollExtent());
}

CTesselView::~CTesselView() {
  doc_.SetHooks(nullptr);
  view_.SaveZoomToSettings();
}

void CTesselView::ShowCurrentPage() {
  SetScrollExtent(view_.ScrollExtent());
  if (doc_.header.pageCount > 0) view_.SetScroll({doc_.CurrentPage().scrollX, doc_.CurrentPage().scrollY});
  Repaint(false);
}

void CTesselView::DocumentShown() { view_.DocumentShown(); }

QPoint CTesselView::ScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CTesselView::ScrollTo(QPoint position) {
  view_.SetScroll({position.x(), position.y()});
  SyncBarsFromView();
  viewport()->update();
}

void CTesselView::UpdateRanges() {
  const QSize view = viewport()->size();
  const QSignalBlocker blockH(horizontalScrollBar());
  const QSignalBlocker blockV(verticalScrollBar());
  horizontalScrollBar()->setRange(0, std::max(0, extent_.cx - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, extent_.cy - view.height()));
  horizontalScrollBar()->setPageStep(std::max(1, view.width()));
  verticalScrollBar()->setPageStep(std::max(1, view.height()));
  TakeScrollFromBars();
}

void CTesselView::SyncBarsFromView() {
  const platform::Point wanted = view_.Scroll();
  {
    const QSignalBlocker blockH(horizontalScrollBar());
    const QSignalBlocker blockV(verticalScrollBar());
    horizontalScrollBar()->setValue(wanted.x);
    verticalScrollBar()->setValue(wanted.y);
  }
  TakeScrollFromBars();
}

void CTesselView::TakeScrollFromBars() {
  view_.SetScroll({horizontalScrollBar()->value(), verticalScrollBar()->value()});
}

void CTesselView::Repaint(bool erase) {
  SyncBarsFromView();
  if (erase) back_.fill(Qt::white);
  viewport()->update();
}

void CTesselView::SetScrollExtent(platform::Size extent) {
  extent_ = extent;
  UpdateRanges();
}

void CTesselView::RebuildConsole() {
  if (zoomPane) zoomPane(QString::number(view_.ZoomPercent()) + QLatin1Char('%'));
}

void CTesselView::ShowStatusPanes(std::string_view position, std::string_view size) {
  if (statusPanes)
    statusPanes(QString::fromUtf8(position.data(), static_cast<int>(position.size())),
                QString::fromUtf8(size.data(), static_cast<int>(size.size())));
}

void CTesselView::MarkModified() {
  if (modified) modified();
}

void CTesselView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  view_.SetClientSize({viewport()->width(), viewport()->height()});
  UpdateRanges();
}

void CTesselView::scrollContentsBy(int, int) {
  TakeScrollFromBars();
  viewport()->update();
}

void CTesselView::wheelEvent(QWheelEvent* event) {
  // Step rules of the chart view: 10 pixels, 1 with Ctrl, -1 with Ctrl+Shift,
  // -10 with the right button held; Shift, Ctrl+Shift and the right button
  // scroll horizontally. A forward turn negates the step.
  const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  const bool right = event->buttons() & Qt::RightButton;
  int step = 10;
  if (mods == Qt::ControlModifier) step = 1;
  if (mods == (Qt::ControlModifier | Qt::ShiftModifier)) step = -1;
  if (right) step = -10;
  const bool horizontal = right || mods == Qt::ShiftModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
  // Qt may report a Shift turn on the horizontal axis.
  const QPoint angle = event->angleDelta();
  wheelRemainder_ += angle.y() != 0 ? angle.y() : angle.x();
  const int notches = wheelRemainder_ / kWheelNotch;
  wheelRemainder_ -= notches * kWheelNotch;
  event->accept();
  if (notches == 0 || verticalScrollBar()->maximum() == 0) return;
  // A forward notch has a positive delta.
  const int delta = -notches * step;
  QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
  bar->setValue(bar->value() + delta);
}

void CTesselView::paintEvent(QPaintEvent*) {
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  if (back_.size() != size) {
    back_ = QImage(size, QImage::Format_RGB32);
    back_.fill(Qt::white);
  }
  // A document without pages shows an empty area.
  if (doc_.header.pageCount == 0) back_.fill(Qt::white);
  {
    platform::QtCanvas canvas(back_);
    view_.OnDraw(canvas);
  }
  QPainter painter(viewport());
  painter.drawImage(0, 0, back_);
}

}  // namespace plume::chartview
