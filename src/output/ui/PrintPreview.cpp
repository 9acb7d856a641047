#include "output/ui/PrintPreview.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "platform/Messages.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"

namespace plume::output::ui {

using platform::IntRect;
using platform::ToQRect;

namespace {

constexpr QColor kPreviewBack{247, 247, 247};
constexpr QColor kShadow{128, 128, 128};
constexpr QColor kPaperBorder{192, 192, 192};
// Margin lines are drawn by XOR, so they show on white paper and on the
// chart alike and drawing one twice takes it away again.
constexpr QColor kMarginLine{247, 247, 247};
constexpr QColor kDragLine{198, 198, 198};
constexpr int kShadowOffset = 5;

void XorLine(QPainter& p, QPoint a, QPoint b, QColor colour) {
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  QPen pen(colour, 1, Qt::DotLine);
  p.setPen(pen);
  p.drawLine(a, b);
  p.restore();
}

}  // namespace

PrintPreview::PrintPreview(QWidget* parent) : QFrame(parent) {
  setMinimumSize(320, 320);
  setMouseTracking(true);
}

QRect PrintPreview::PaperRect() const { return ToQRect(paperRect_); }
QRect PrintPreview::PrintableArea() const { return ToQRect(printable_); }

void PrintPreview::Place(float paperWmm, float paperHmm, const Margins& margins, MinMargins min) {
  min_ = min;
  paperRect_ = FitPaper({0, 0, width(), height()}, paperWmm, paperHmm);
  const int sX = logicalDpiX();
  scale_ = PreviewScale(paperRect_.Width(), sX, paperWmm);
  printable_ = PrintableRect(paperRect_, MarginsInPreview(margins, scale_, sX, logicalDpiY()));
  placed_ = true;
}

void PrintPreview::SetSheet(const SheetGrid& grid, int sheet, bool allOne) {
  grid_ = grid;
  sheet_ = sheet;
  allOne_ = allOne;
}

void PrintPreview::SetShowMargins(bool on) {
  showMargins_ = on;
  update();
}

void PrintPreview::Render(platform::Size page, const PagePaint& paint) {
  float zoom = 1.0f;
  const platform::Size size = PreviewBitmapSize(page, allOne_, printable_, scale_, &zoom);
  QImage bitmap(std::max(size.cx, 1), std::max(size.cy, 1), QImage::Format_RGB32);
  if (bitmap.isNull()) {
    platform::ShowMessage(platform::StringId::MemoryAllocFailed, {}, platform::MsgIcon::Error);
    return;
  }
  bitmap.fill(Qt::white);
  {
    platform::QtCanvas canvas(bitmap);
    if (paint) paint(canvas, zoom);
  }
  sheetBitmap_ = std::move(bitmap);
}

void PrintPreview::Paint(QPainter& p) {
  p.fillRect(rect(), kPreviewBack);
  if (!placed_) return;
  const QRect paper = ToQRect(paperRect_);
  p.fillRect(paper.translated(kShadowOffset, kShadowOffset), kShadow);
  p.fillRect(paper, Qt::white);
  p.setPen(kPaperBorder);
  p.drawRect(paper.adjusted(0, 0, -1, -1));
  const QRect printable = ToQRect(printable_);
  if (printable.width() > 0 && printable.height() > 0 && !sheetBitmap_.isNull()) {
    if (allOne_) {
      const QPoint at(printable.left() + std::max(0, (printable.width() - sheetBitmap_.width()) / 2),
                      printable.top() + std::max(0, (printable.height() - sheetBitmap_.height()) / 2));
      p.drawImage(at, sheetBitmap_);
    } else {
      const IntRect part = SheetPart(grid_, sheet_, {printable.width(), printable.height()},
                                     {sheetBitmap_.width(), sheetBitmap_.height()});
      if (!part.IsEmpty()) p.drawImage(printable.topLeft(), sheetBitmap_, ToQRect(part));
    }
  }
  if (showMargins_) {
    XorLine(p, {paper.left(), printable_.top}, {paper.right(), printable_.top}, kMarginLine);
    XorLine(p, {paper.left(), printable_.bottom}, {paper.right(), printable_.bottom}, kMarginLine);
    XorLine(p, {printable_.left, paper.top()}, {printable_.left, paper.bottom()}, kMarginLine);
    XorLine(p, {printable_.right, paper.top()}, {printable_.right, paper.bottom()}, kMarginLine);
  }
  if (dragLine_ >= 0) {
    const int d = dragDistance_;
    switch (dragLine_) {
      case 0: XorLine(p, {paperRect_.left + d, paper.top()}, {paperRect_.left + d, paper.bottom()}, kDragLine); break;
      case 2: XorLine(p, {paperRect_.right - d, paper.top()}, {paperRect_.right - d, paper.bottom()}, kDragLine); break;
      case 1: XorLine(p, {paper.left(), paperRect_.top + d}, {paper.right(), paperRect_.top + d}, kDragLine); break;
      default: XorLine(p, {paper.left(), paperRect_.bottom - d}, {paper.right(), paperRect_.bottom - d}, kDragLine);
    }
  }
}

void PrintPreview::MouseMoved(QPoint pos) {
  if (dragLine_ < 0) {
    const int line = showMargins_ ? MarginLineAt(printable_, {pos.x(), pos.y()}) : -1;
    setCursor(line == 0 || line == 2   ? Qt::SizeHorCursor
              : line == 1 || line == 3 ? Qt::SizeVerCursor
                                       : Qt::ArrowCursor);
    return;
  }
  const bool horizontal = dragLine_ == 0 || dragLine_ == 2;
  const int dpi = horizontal ? logicalDpiX() : logicalDpiY();
  // The limits are in preview pixels, so the line stops where the margin field would.
  const int low = static_cast<int>(static_cast<float>(DragLimitPx(horizontal ? min_.x : min_.y, dpi)) * scale_);
  const int high = static_cast<int>(static_cast<float>(DragLimitPx(kMaxMarginMm, dpi)) * scale_);
  int d = 0;
  switch (dragLine_) {
    case 0: d = pos.x() - paperRect_.left; break;
    case 1: d = pos.y() - paperRect_.top; break;
    case 2: d = paperRect_.right - pos.x(); break;
    default: d = paperRect_.bottom - pos.y();
  }
  dragDistance_ = std::clamp(d, low, std::max(low, high));
  update();
}

void PrintPreview::MouseReleased() {
  if (dragLine_ < 0) return;
  const int line = dragLine_;
  dragLine_ = -1;
  const bool horizontal = line == 0 || line == 2;
  const int dpi = horizontal ? logicalDpiX() : logicalDpiY();
  const int margin = MarginFromDrag(dragDistance_, scale_, dpi);
  if (marginDropped) marginDropped(line == 0 ? 0 : line == 2 ? 1 : line == 1 ? 2 : 3, margin);
}

bool PrintPreview::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Paint: {
      QPainter p(this);
      Paint(p);
      return true;
    }
    case QEvent::Resize:
      if (resized) resized();
      break;
    case QEvent::MouseMove: MouseMoved(static_cast<QMouseEvent*>(event)->position().toPoint()); return true;
    case QEvent::MouseButtonPress: {
      const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (showMargins_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        dragLine_ = MarginLineAt(printable_, {pos.x(), pos.y()});
        if (dragLine_ >= 0) MouseMoved(pos);
      }
      return true;
    }
    case QEvent::MouseButtonRelease: MouseReleased(); return true;
    default: break;
  }
  return QFrame::event(event);
}

}  // namespace plume::output::ui
