#pragma once
// Erasable drawing over the view's back buffer: before a shape is drawn the
// pixels under it are saved, and erasing copies them back, so drag feedback
// and the pointer animation never make the page be painted again. At most
// one shape is on the buffer at a time.

#include <QImage>
#include <QRect>

#include <functional>

class QPainter;

namespace plume::chartview {

class BackBufferOverlay {
 public:
  using Draw = std::function<void(QPainter&)>;

  /// Erases the shape on the buffer, saves `area` of `buffer` and runs
  /// `draw` on it (clipped to `area`). Returns the buffer area that changed.
  QRect Show(QImage& buffer, const QRect& area, Draw draw);
  /// Copies the saved pixels back; returns the area restored (empty when
  /// nothing was shown).
  QRect Erase(QImage& buffer);
  /// The page was painted again under the shape: the saved pixels are stale.
  /// Saves them anew and draws the shape again.
  void Redraw(QImage& buffer);
  /// Drops the shape without touching the buffer (the buffer was replaced).
  void Forget();

  bool Shown() const { return !area_.isEmpty(); }
  QRect Area() const { return area_; }
  /// The buffer pixel at `point` as it is without the shape.
  QRgb PixelUnder(const QImage& buffer, QPoint point) const;

 private:
  void SaveAndDraw(QImage& buffer);

  QRect area_;
  QImage saved_;
  Draw draw_;
};

}  // namespace plume::chartview
