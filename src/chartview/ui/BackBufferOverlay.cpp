#include "chartview/ui/BackBufferOverlay.h"

#include <QPainter>

namespace plume::chartview {

QRect BackBufferOverlay::Show(QImage& buffer, const QRect& area, Draw draw) {
  const QRect erased = Erase(buffer);
  area_ = area.intersected(buffer.rect());
  draw_ = std::move(draw);
  SaveAndDraw(buffer);
  return erased.united(area_);
}

void BackBufferOverlay::SaveAndDraw(QImage& buffer) {
  if (area_.isEmpty()) {
    saved_ = QImage();
    return;
  }
  saved_ = buffer.copy(area_);
  QPainter painter(&buffer);
  painter.setClipRect(area_);
  if (draw_) draw_(painter);
}

QRect BackBufferOverlay::Erase(QImage& buffer) {
  if (!Shown()) return {};
  const QRect restored = area_;
  if (!saved_.isNull() && buffer.rect().contains(area_)) {
    QPainter painter(&buffer);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area_.topLeft(), saved_);
  }
  Forget();
  return restored;
}

void BackBufferOverlay::Redraw(QImage& buffer) {
  if (!Shown()) return;
  area_ = area_.intersected(buffer.rect());
  SaveAndDraw(buffer);
}

void BackBufferOverlay::Forget() {
  area_ = QRect();
  saved_ = QImage();
  draw_ = nullptr;
}

QRgb BackBufferOverlay::PixelUnder(const QImage& buffer, QPoint point) const {
  if (!buffer.rect().contains(point)) return qRgb(255, 255, 255);
  if (Shown() && area_.contains(point) && !saved_.isNull()) return saved_.pixel(point - area_.topLeft());
  return buffer.pixel(point);
}

}  // namespace plume::chartview
