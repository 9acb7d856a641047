#pragma once
// Paints the nodes of one page: box, selection halo and handles, picture,
// the dial ring around the focused node, and the title last so that it stays
// readable. Reports each node's title rectangle for hit-testing.

#include <cstdint>
#include <utility>
#include <vector>

#include "chartview/PaintParams.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

class NodePainter {
 public:
  NodePainter(const document::ChartDocument& doc, const PaintParams& params, platform::Canvas& canvas);
  /// Every node on page `pageIndex`, in table order; appends (index, title
  /// rectangle) of each to `titleRects` (may be null).
  void DrawNodes(int pageIndex, std::vector<std::pair<int, document::Rect>>* titleRects);

 private:
  /// Draws node `index`; returns its title rectangle (screen pixels).
  platform::IntRect DrawNode(int index, std::uint16_t pageId);
  void DrawBox(int index, const platform::IntRect& box, int lineWidth);
  void DrawPicture(int index, const platform::IntRect& zoomed);
  /// The title rectangle (empty for none); draws the title when `draw`.
  platform::IntRect DrawTitle(int index, const platform::IntRect& zoomed, bool draw);
  bool HasArcOnPage(int index, std::uint16_t pageId) const;

  const document::ChartDocument& doc_;
  const PaintParams& params_;
  platform::Canvas& canvas_;
  platform::IntRect visible_;
};

}  // namespace plume::chartview
