#include "chartview/ArcPainter.h"

#include <algorithm>

#include "chartview/ArcGeometry.h"
#include "chartview/CoordinateMapping.h"

namespace plume::chartview {
namespace {

using platform::Brush;
using platform::IntRect;
using platform::Pen;
using platform::Point;

constexpr platform::CanvasColor kArrowLine = 0x00FF1E1E;
constexpr platform::CanvasColor kArrowHeadFill = 0x000000FF;
constexpr platform::CanvasColor kMarkerRing = 0x00A88E00;
constexpr platform::CanvasColor kMarkerFill = 0x00BFF1FF;
constexpr platform::CanvasColor kMarkerInner = 0x00FFD911;
// Every arrowhead is outlined in the marker ring colour, whether or not a
// link marker was drawn before it in the same paint.
constexpr platform::CanvasColor kArrowHeadOutline = kMarkerRing;
constexpr int kMarkerHalf = 8;

Point Halfway(Point from, Point to) { return {from.x + (to.x - from.x) / 2, from.y + (to.y - from.y) / 2}; }

Point Centre(const IntRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

ArcPainter::ArcPainter(const document::ChartDocument& doc, const PaintParams& params, platform::Canvas& canvas,
                       std::vector<LinkMarker>* markers)
    : doc_(doc),
      params_(params),
      canvas_(canvas),
      markers_(markers),
      visible_(canvas.VisibleBounds()),
      penWidth_(static_cast<int>(params.zoom)) {
  // One lookup table per paint instead of a scan of the node table per arc.
  byId_.reserve(static_cast<std::size_t>(doc.nodeCount));
  for (int i = 0; i < doc.nodeCount; ++i) byId_.emplace_back(doc.nodes[i].nodeId, i);
  std::sort(byId_.begin(), byId_.end());
}

int ArcPainter::NodeIndex(std::int32_t nodeId) const {
  const auto it = std::lower_bound(byId_.begin(), byId_.end(), std::pair<std::int32_t, int>{nodeId, -1});
  return it != byId_.end() && it->first == nodeId ? it->second : -1;
}

void ArcPainter::DrawArcs(std::uint16_t pageId) {
  for (int i = 0; i < doc_.arcCount; ++i) DrawArc(doc_.arcs[i], pageId);
}

bool ArcPainter::Visible(Point a, Point b, int reach) const {
  const IntRect box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
  return box.Inflated(reach + penWidth_).Intersects(visible_);
}

void ArcPainter::DrawArc(const document::ArcRecord& arc, std::uint16_t pageId) {
  const int ia = NodeIndex(arc.fromNode);
  const int ib = NodeIndex(arc.toNode);
  if (ia < 0 || ib < 0) return;
  const document::NodeRecord& a = doc_.nodes[ia];
  const document::NodeRecord& b = doc_.nodes[ib];
  const bool aHere = a.pageId == pageId;
  const bool bHere = b.pageId == pageId;
  if (!aHere && !bHere) return;

  const IntRect ra = PageToScreen(a.rect, params_.zoom);
  const IntRect rb = PageToScreen(b.rect, params_.zoom);
  const auto s = BorderPoint(ra, Centre(rb));
  const auto e = BorderPoint(rb, Centre(ra));
  // Nodes with the same centre have no direction between them: no arc.
  if (!s || !e) return;

  if (aHere && bHere) {
    DrawArrow(*s, *e);
  } else if (aHere) {
    const Point m = Halfway(*s, *e);
    DrawLinkMarker(m, a.pageId, b.pageId);
    DrawArrow(*s, m);
  } else {
    const Point m = Halfway(*e, *s);
    DrawLinkMarker(m, a.pageId, b.pageId);
    DrawArrow(m, *e);
  }
}

void ArcPainter::DrawArrow(Point from, Point to) {
  if (!Visible(from, to, 10)) return;
  canvas_.Line(from, to, Pen::Solid(kArrowLine, penWidth_));
  if (const auto head = ArrowHead(from, to))
    canvas_.Polygon(*head, Pen::Solid(kArrowHeadOutline, penWidth_), Brush::Solid(kArrowHeadFill));
}

void ArcPainter::DrawLinkMarker(Point centre, std::uint16_t fromPage, std::uint16_t toPage) {
  const IntRect square{centre.x - kMarkerHalf, centre.y - kMarkerHalf, centre.x + kMarkerHalf,
                       centre.y + kMarkerHalf};
  // Recorded whether or not it is visible, so hit-testing sees the same
  // markers however the view is scrolled.
  if (markers_ && static_cast<int>(markers_->size()) < kMaxLinkMarkers) markers_->push_back({square, fromPage, toPage});
  if (!square.Inflated(penWidth_).Intersects(visible_)) return;
  canvas_.Ellipse(square, Pen::Solid(kMarkerRing, penWidth_), Brush::Solid(kMarkerFill));
  const Pen inner = Pen::Solid(kMarkerInner, penWidth_);
  canvas_.Ellipse(square.Inflated(-3), inner, Brush::None());
  canvas_.Ellipse(square.Inflated(-6), inner, Brush::None());
}

}  // namespace plume::chartview
