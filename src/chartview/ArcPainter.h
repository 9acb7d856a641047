#pragma once
// Paints the arcs of one page: arrows between nodes on the page, and half
// arrows ending at a page-link marker for arcs that lead to another page.

#include <cstdint>
#include <utility>
#include <vector>

#include "chartview/LinkMarker.h"
#include "chartview/PaintParams.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

class ArcPainter {
 public:
  /// `markers` (may be null) receives the link markers drawn, at most kMaxLinkMarkers.
  ArcPainter(const document::ChartDocument& doc, const PaintParams& params, platform::Canvas& canvas,
             std::vector<LinkMarker>* markers);
  /// Every arc with at least one node on the page `pageId`, in table order.
  void DrawArcs(std::uint16_t pageId);

 private:
  void DrawArc(const document::ArcRecord& arc, std::uint16_t pageId);
  void DrawArrow(platform::Point from, platform::Point to);
  void DrawLinkMarker(platform::Point centre, std::uint16_t fromPage, std::uint16_t toPage);
  bool Visible(platform::Point a, platform::Point b, int reach) const;
  /// Index of the first node with `nodeId`, -1 when there is none.
  int NodeIndex(std::int32_t nodeId) const;

  const document::ChartDocument& doc_;
  const PaintParams& params_;
  platform::Canvas& canvas_;
  std::vector<LinkMarker>* markers_;
  platform::IntRect visible_;
  int penWidth_;
  std::vector<std::pair<std::int32_t, int>> byId_;  ///< (nodeId, index), sorted by id then index
};

}  // namespace plume::chartview
