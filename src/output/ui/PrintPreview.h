#pragma once
// The print dialog's preview of one sheet: the paper with its shadow and
// border, the part of the page that falls on the sheet (or the whole page
// shrunk onto one), and dotted margin lines the mouse drags to set a margin.

#include <QFrame>
#include <QImage>

#include <functional>

#include "output/PrintLayout.h"
#include "output/ui/ChartPrinter.h"

namespace plume::output::ui {

class PrintPreview : public QFrame {
  Q_OBJECT
 public:
  explicit PrintPreview(QWidget* parent = nullptr);

  /// Fits a paper of `paperWmm` x `paperHmm` into the widget and places
  /// `margins` (mm) on it; a dragged margin line stops at `min` and 50 mm.
  void Place(float paperWmm, float paperHmm, const Margins& margins, MinMargins min);
  /// Which sheet of `grid` shows (1-based), or the whole page on one sheet.
  void SetSheet(const SheetGrid& grid, int sheet, bool allOne);
  /// Draws `page` with `paint` at the preview's scale.
  void Render(platform::Size page, const PagePaint& paint);
  void SetShowMargins(bool on);
  bool ShowsMargins() const { return showMargins_; }

  QRect PaperRect() const;
  QRect PrintableArea() const;

  /// After the widget changed its size.
  std::function<void()> resized;
  /// A margin line was let go: `index` 0..3 is left, right, top, bottom and
  /// `mm` the margin where it stands.
  std::function<void(int index, int mm)> marginDropped;

 protected:
  bool event(QEvent* event) override;

 private:
  void Paint(QPainter& p);
  void MouseMoved(QPoint pos);
  void MouseReleased();

  // The paper and the printable area in widget pixels.
  platform::IntRect paperRect_;
  platform::IntRect printable_;
  float scale_ = 1.0f;
  MinMargins min_;
  bool placed_ = false;
  SheetGrid grid_;
  int sheet_ = 1;
  bool allOne_ = false;
  bool showMargins_ = false;
  QImage sheetBitmap_;
  int dragLine_ = -1;  ///< the margin line being dragged (as MarginLineAt); -1: none
  int dragDistance_ = 0;
};

}  // namespace plume::output::ui
