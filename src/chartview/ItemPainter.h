#pragma once
// What the node and slip painters share: the document, the paint's
// parameters, the canvas with the part of it that shows, and an item's
// rectangles at the paint's zoom.

#include "chartview/PaintParams.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

class ItemPainter {
 public:
  ItemPainter(const document::ChartDocument& doc, const PaintParams& params, platform::Canvas& canvas)
      : doc_(doc), params_(params), canvas_(canvas), visible_(canvas.VisibleBounds()) {}

 protected:
  /// An item at the paint's zoom, screen pixels.
  struct ZoomedItem {
    int lineWidth = 0;          ///< width of the frame
    platform::IntRect zoomed;   ///< the item's rectangle
    platform::IntRect box;      ///< the rectangle grown by half the frame
  };
  ZoomedItem Zoom(const document::Rect& rect, const document::ItemStyle& style) const;

  const document::ChartDocument& doc_;
  const PaintParams& params_;
  platform::Canvas& canvas_;
  platform::IntRect visible_;
};

}  // namespace plume::chartview
