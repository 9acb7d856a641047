#pragma once
// What a page paint found out for hit-testing: where each node's title was
// drawn and the link markers drawn. The painter only reads the document; the
// view stores these after painting the screen, other paints drop them.

#include <utility>
#include <vector>

#include "chartview/LinkMarker.h"
#include "document/ChartRecords.h"

namespace plume::chartview {

struct PaintResult {
  /// (node index, title rectangle in screen pixels, empty when none) for
  /// every node of the page, in table order.
  std::vector<std::pair<int, document::Rect>> titleRects;
  /// The link markers drawn (at most kMaxLinkMarkers).
  std::vector<LinkMarker> markers;
};

}  // namespace plume::chartview
