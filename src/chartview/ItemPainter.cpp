#include "chartview/ItemPainter.h"

#include "chartview/CoordinateMapping.h"

namespace plume::chartview {

ItemPainter::ZoomedItem ItemPainter::Zoom(const document::Rect& rect, const document::ItemStyle& style) const {
  ZoomedItem item;
  item.lineWidth = ZoomLength(style.Futosa, params_.zoom);
  item.zoomed = PageToScreen(rect, params_.zoom);
  item.box = item.zoomed.Inflated(item.lineWidth / 2);
  return item;
}

}  // namespace plume::chartview
