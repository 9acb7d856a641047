#include "chartview/HitTester.h"

#include "chartview/CoordinateMapping.h"

namespace plume::chartview {

NodeHit HitTester::HitNode(platform::Point page) const {
  const std::uint16_t pageId = doc_.CurrentPage().pageId;
  const platform::Point screen{ZoomLength(page.x, zoom_), ZoomLength(page.y, zoom_)};
  for (int i = doc_.nodeCount - 1; i >= 0; --i) {
    const document::NodeRecord& node = doc_.nodes[i];
    if (node.pageId != pageId) continue;
    const document::Rect& title = doc_.nodeStates[i].titleRect;
    if (title.Width() > 0 && title.Height() > 0 && Contains(title, screen)) return {i, true};
    if (Contains(node.rect, page)) return {i, false};
  }
  return {};
}

int HitTester::HitSlip(platform::Point page) const {
  const std::uint16_t pageId = doc_.CurrentPage().pageId;
  for (int i = doc_.slipCount - 1; i >= 0; --i)
    if (doc_.slips[i].pageId == pageId && Contains(doc_.slips[i].rect, page)) return i;
  return -1;
}

std::vector<platform::Point> HitTester::HandlePoints(const document::Rect& rect, int futosa) {
  const int l = rect.left - futosa, t = rect.top - futosa;
  const int r = rect.right + futosa, b = rect.bottom + futosa;
  const int mx = (l + r) / 2, my = (t + b) / 2;
  return {{l, t}, {r, t}, {r, b}, {l, b}, {mx, t}, {r, my}, {mx, b}, {l, my}};
}

HandleHit HitTester::HitHandle(ItemKind kind, platform::Point page) const {
  const bool nodes = kind == ItemKind::Nodes;
  const int count = nodes ? doc_.nodeCount : doc_.slipCount;
  for (int i = 0; i < count; ++i) {
    const bool selected = nodes ? doc_.nodeStates[i].selected != 0 : doc_.slips[i].selected != 0;
    if (!selected) continue;
    const document::Rect& rect = nodes ? doc_.nodes[i].rect : doc_.slips[i].rect;
    const int futosa = nodes ? doc_.nodes[i].style.Futosa : doc_.slips[i].style.Futosa;
    const std::vector<platform::Point> points = HandlePoints(rect, futosa);
    for (int h = 0; h < 8; ++h) {
      const platform::Point c = points[static_cast<std::size_t>(h)];
      const platform::IntRect square{c.x - kHandleReach, c.y - kHandleReach, c.x + kHandleReach,
                                     c.y + kHandleReach};
      if (Contains(square, page)) return {i, h};
    }
  }
  return {};
}

PageEdge HitTester::HitPageEdge(platform::Point page) const {
  const int w = doc_.CurrentPage().pageWidth;
  const int h = doc_.CurrentPage().pageHeight;
  const auto near = [](int a, int b) { return a - b < kEdgeReach && b - a < kEdgeReach; };
  if (page.x < w && near(page.y, h)) return PageEdge::Bottom;
  if (page.y < h && near(page.x, w)) return PageEdge::Right;
  return PageEdge::None;
}

const LinkMarker* HitTester::HitMarker(const std::vector<LinkMarker>& markers, platform::Point screen) {
  for (const LinkMarker& m : markers)
    if (Contains(m.rect, screen)) return &m;
  return nullptr;
}

}  // namespace plume::chartview
