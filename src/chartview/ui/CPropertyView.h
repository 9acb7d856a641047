#pragma once
// The view properties dialog: the current page's width and height, each in
// a spin edit of 500..5000 with thousands separators. OK never makes the
// page smaller than the items on it.

#include <QDialog>

#include "document/ChartDocument.h"

namespace plume::chartview {

class PageSizeSpinBox;

class CPropertyView : public QDialog {
  Q_OBJECT
 public:
  /// Starts with the page size `width` x `height`.
  CPropertyView(int width, int height, QWidget* parent = nullptr);

  int PageWidth() const;
  int PageHeight() const;
  PageSizeSpinBox* WidthEdit() const { return width_; }
  PageSizeSpinBox* HeightEdit() const { return height_; }

  /// Shows the dialog for the current page of `doc`; on OK applies the sizes
  /// (raised to the items' extent at `zoom` when smaller). True when the
  /// page size changed.
  static bool EditPage(document::ChartDocument& doc, float zoom, QWidget* parent);

 private:
  PageSizeSpinBox* width_;
  PageSizeSpinBox* height_;
};

}  // namespace plume::chartview
