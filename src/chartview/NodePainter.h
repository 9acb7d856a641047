#pragma once
// Paints the nodes of one page: box, selection halo and handles, picture,
// title, and the dial ring around the focused node. Records each node's
// title rectangle for hit-testing.

#include <cstdint>

#include "chartview/PaintParams.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

class NodePainter {
 public:
  NodePainter(document::ChartDocument& doc, const PaintParams& params, platform::Canvas& canvas);
  /// Gives the nodes of page `pageIndex` that have no size yet their default size.
  void SizeNodes(int pageIndex);
  /// Every node on page `pageIndex`, in table order.
  void DrawNodes(int pageIndex);

 private:
  void DrawNode(int index, std::uint16_t pageId);
  void DrawBox(int index, const platform::IntRect& box, int lineWidth);
  void DrawPicture(int index, const platform::IntRect& zoomed);
  /// The title rectangle (empty for none); draws the title when `draw`.
  platform::IntRect DrawTitle(int index, const platform::IntRect& zoomed, bool draw);
  bool HasArcOnPage(int index, std::uint16_t pageId) const;

  document::ChartDocument& doc_;
  const PaintParams& params_;
  platform::Canvas& canvas_;
  platform::IntRect visible_;
};

}  // namespace plume::chartview
