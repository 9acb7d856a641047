#pragma once
// Changing the current page's width or height by dragging its right or
// bottom edge. The size stays within 500..5000 page units and never cuts off
// an item of the page.

#include "document/ChartDocument.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class PageResizer {
 public:
  static constexpr int kMinSize = 500;
  static constexpr int kMaxSize = 5000;
  /// Width of the feedback bar, pixels.
  static constexpr int kBarWidth = 4;

  PageResizer(document::ChartDocument& doc, float zoom) : doc_(doc), zoom_(zoom) {}

  /// The edge position (screen pixels along the dragged axis) the pointer
  /// coordinate `at` gives: held between the limits and beyond the items.
  int EdgeAt(bool width, int at) const;
  /// The page size (page units) a release at `at` would store.
  int SizeAt(bool width, int at) const;
  /// The feedback bar across the page at `at` (screen pixels).
  platform::IntRect Bar(bool width, int at) const;
  /// Sets pageWidth (or pageHeight) from a release at `at`; false when the
  /// pointer moved by 1 pixel or less from `pressedAt`, which changes nothing.
  bool Apply(bool width, int pressedAt, int at);
  /// Right (or bottom) edge of the union of what the page's items cover on
  /// screen: their boxes with frames and their titles; 0 without items.
  int ItemExtent(bool width) const;

 private:
  document::ChartDocument& doc_;
  float zoom_;
};

}  // namespace plume::chartview
