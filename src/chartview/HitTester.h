#pragma once
// Hit tests of the chart view over the current page: nodes (with their
// titles), slips, the resize handles of selected items, the page edge zones
// and the link markers of the last paint. Items drawn last win.

#include <vector>

#include "chartview/LinkMarker.h"
#include "document/ChartDocument.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

using document::ItemKind;

struct NodeHit {
  int index = -1;
  bool onTitle = false;
};

struct HandleHit {
  int item = -1;
  int handle = -1;  ///< 0..3 corners from left-top clockwise, 4..7 edge middles from the top
};

enum class PageEdge { None, Right, Bottom };

class HitTester {
 public:
  /// Half the side of a handle's grab square, page units.
  static constexpr int kHandleReach = 5;
  /// Half the width of a page edge zone, page units.
  static constexpr int kEdgeReach = 4;

  HitTester(const document::ChartDocument& doc, float zoom) : doc_(doc), zoom_(zoom) {}

  /// The topmost node of the current page at `page` (page units): first on its
  /// title (drawn title rectangle, screen pixels), else on its rectangle.
  NodeHit HitNode(platform::Point page) const;
  /// The topmost slip of the current page at `page`, -1 for none.
  int HitSlip(platform::Point page) const;
  /// The first handle of a selected item of `kind` (any page, lowest index
  /// first) whose grab square holds `page`.
  HandleHit HitHandle(ItemKind kind, platform::Point page) const;
  /// The page edge zone at `page`; the bottom zone wins where both apply.
  PageEdge HitPageEdge(platform::Point page) const;
  /// The first marker whose square holds `screen`; nullptr for none.
  static const LinkMarker* HitMarker(const std::vector<LinkMarker>& markers, platform::Point screen);

  /// The eight handle points of an item rectangle grown by its frame width.
  static std::vector<platform::Point> HandlePoints(const document::Rect& rect, int futosa);

 private:
  const document::ChartDocument& doc_;
  float zoom_;
};

/// Left and top inclusive, right and bottom exclusive.
inline bool Contains(const document::Rect& r, platform::Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
inline bool Contains(const platform::IntRect& r, platform::Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace plume::chartview
