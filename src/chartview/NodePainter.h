#pragma once
// Paints the nodes of one page: box, selection halo and handles, picture,
// the dial ring around the focused node, and the title last so that it stays
// readable. Reports each node's title rectangle for hit-testing.

#include <cstdint>
#include <utility>
#include <vector>

#include "chartview/ItemPainter.h"

namespace plume::chartview {

class NodePainter : private ItemPainter {
 public:
  using ItemPainter::ItemPainter;
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
};

}  // namespace plume::chartview
