#include "chartview/DialTurner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chartview/CoordinateMapping.h"

namespace plume::chartview {

using platform::IntRect;
using platform::Point;

namespace {

double Angle(Point v) { return std::atan2(static_cast<double>(v.y), static_cast<double>(v.x)); }
double Length(Point v) { return std::hypot(static_cast<double>(v.x), static_cast<double>(v.y)); }

}  // namespace

bool DialTurner::Joined(std::int32_t a, std::int32_t b) const {
  for (int i = 0; i < doc_.arcCount; ++i) {
    const document::ArcRecord& arc = doc_.arcs[i];
    if ((arc.fromNode == a && arc.toNode == b) || (arc.fromNode == b && arc.toNode == a)) return true;
  }
  return false;
}

bool DialTurner::HasRing() const {
  if (!FocusValid() || doc_.header.pageCount == 0) return false;
  const std::uint16_t pageId = doc_.CurrentPage().pageId;
  const std::int32_t id = doc_.nodes[doc_.focusedNode].nodeId;
  for (int i = 0; i < doc_.arcCount; ++i) {
    const document::ArcRecord& arc = doc_.arcs[i];
    std::int32_t other;
    if (arc.fromNode == id)
      other = arc.toNode;
    else if (arc.toNode == id)
      other = arc.fromNode;
    else
      continue;
    if (other == id) continue;
    const int index = doc_.NodeIndexOf(other);
    if (index >= 0 && doc_.nodes[index].pageId == pageId) return true;
  }
  return false;
}

Point DialTurner::Centre() const {
  const document::Rect& r = doc_.nodes[doc_.focusedNode].rect;
  return {ZoomLength((r.left + r.right) / 2, zoom_), ZoomLength((r.top + r.bottom) / 2, zoom_)};
}

bool DialTurner::KnobHit(Point screen) const {
  if (!FocusValid()) return false;
  const Point c = Centre();
  return std::abs(screen.x - (c.x + doc_.header.dialRadius)) <= kKnobReach && std::abs(screen.y - c.y) <= kKnobReach;
}

bool DialTurner::RingHit(Point screen) const {
  if (!HasRing()) return false;
  const Point c = Centre();
  const int distance = static_cast<int>(Length({screen.x - c.x, screen.y - c.y}));
  return std::abs(distance - doc_.header.dialRadius) < kRingReach;
}

int DialTurner::SetRadiusFrom(Point screen) {
  if (!FocusValid()) return doc_.header.dialRadius;
  const int radius = std::clamp(screen.x - Centre().x, kMinRadius, kMaxRadius);
  doc_.header.dialRadius = static_cast<std::uint16_t>(radius);
  return radius;
}

bool DialTurner::Turn(Point pressed, Point released) {
  if (!FocusValid()) return false;
  const Point c = Centre();
  const Point r{released.x - c.x, released.y - c.y};
  const Point p0{pressed.x - c.x, pressed.y - c.y};
  const double delta = Angle(r) - Angle(p0);
  // A radius outside 40..140 (a damaged file) still gives a finite scale.
  const int radius = std::max<int>(doc_.header.dialRadius, 1);
  const float s = static_cast<float>(static_cast<int>(Length(r)) - radius) / static_cast<float>(radius);

  const document::PageRecord& page = doc_.CurrentPage();
  const int pageW = ZoomLength(page.pageWidth, zoom_);
  const int pageH = ZoomLength(page.pageHeight, zoom_);
  const std::int32_t focusId = doc_.nodes[doc_.focusedNode].nodeId;
  for (int i = 0; i < doc_.nodeCount; ++i) {
    document::NodeRecord& node = doc_.nodes[i];
    if (i == doc_.focusedNode || node.pageId != page.pageId || !Joined(focusId, node.nodeId)) continue;
    const IntRect box = PageToScreen(node.rect, zoom_);
    const Point v{(box.left + box.right) / 2 - c.x, (box.top + box.bottom) / 2 - c.y};
    const int d = static_cast<int>(Length(v));
    const double a = Angle(v) + delta;
    const Point p1{c.x + static_cast<int>(d * std::cos(a)), c.y + static_cast<int>(d * std::sin(a))};
    const Point p2{p1.x + static_cast<int>(static_cast<float>(p1.x - c.x) * s),
                   p1.y + static_cast<int>(static_cast<float>(p1.y - c.y) * s)};
    const int w = box.Width();
    const int h = box.Height();
    const int left = std::max(std::min(p2.x - w / 2, pageW - w), 0);
    const int top = std::max(std::min(p2.y - h / 2, pageH - h), 0);
    // The node keeps its size in page units, so turns never wear it down.
    const int pageLeft = static_cast<int>(static_cast<float>(left) / zoom_);
    const int pageTop = static_cast<int>(static_cast<float>(top) / zoom_);
    node.rect = {pageLeft, pageTop, pageLeft + node.rect.Width(), pageTop + node.rect.Height()};
  }
  return true;
}

}  // namespace plume::chartview
