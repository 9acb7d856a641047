#pragma once
// Moving the selected nodes or slips by a displacement, each kept inside the
// current page by the page clamp, and the clamped outline the drag feedback
// shows.

#include "chartview/HitTester.h"
#include "document/ChartDocument.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ItemMover {
 public:
  ItemMover(document::ChartDocument& doc, float zoom) : doc_(doc), zoom_(zoom) {}

  /// A screen displacement in page units: divided by the zoom and truncated,
  /// but a displacement of exactly 1 or -1 pixel never becomes 0.
  static int ToPageDelta(int screenDelta, float zoom);

  /// Rectangle `index` of `kind` moved by (dx, dy) page units and clamped
  /// into the current page. Right and bottom are settled first, so an item
  /// larger than the page ends at the left and top limits.
  document::Rect MovedRect(ItemKind kind, int index, int dx, int dy) const;
  /// The same, grown by the item's frame width (what the feedback outlines).
  document::Rect MovedOutline(ItemKind kind, int index, int dx, int dy) const;

  /// Moves every selected item of `kind`, on any page, onto the current page
  /// by (dx, dy) page units under the page clamp. Returns how many moved.
  int MoveSelected(ItemKind kind, int dx, int dy);

 private:
  const document::Rect& RectOf(ItemKind kind, int index) const;
  int FutosaOf(ItemKind kind, int index) const;

  document::ChartDocument& doc_;
  float zoom_;
};

}  // namespace plume::chartview
