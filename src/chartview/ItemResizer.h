#pragma once
// Resizing the selected nodes or slips by one of the eight handles of the
// focused item. While the pointer moves, Track gives the feedback box of the
// focused item; on release, Apply scales every selected item of the kind by
// the factors of that box, each keeping the edges its handle does not move.

#include <vector>

#include "chartview/HitTester.h"
#include "document/ChartDocument.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ItemResizer {
 public:
  /// Smallest item while resizing, page units (scaled by the zoom).
  static constexpr int kMinWidth = 20;
  static constexpr int kMinHeight = 10;

  ItemResizer(document::ChartDocument& doc, float zoom) : doc_(doc), zoom_(zoom) {}

  /// Which edges handle 0..7 moves.
  static bool MovesLeft(int handle) { return handle == 0 || handle == 3 || handle == 7; }
  static bool MovesRight(int handle) { return handle == 1 || handle == 2 || handle == 5; }
  static bool MovesTop(int handle) { return handle == 0 || handle == 1 || handle == 4; }
  static bool MovesBottom(int handle) { return handle == 2 || handle == 3 || handle == 6; }

  /// The focused item's box (screen pixels) with the edges of `handle` moved
  /// to `pointer` (screen pixels): the moving edges stay on the page and the
  /// box keeps the minimum size, the fixed edges staying where they are.
  platform::IntRect Track(const platform::IntRect& itemBox, int handle, platform::Point pointer) const;

  /// Scales every selected item of `kind` by the factors of `resized` (screen
  /// pixels) against the focused item's box. Nodes go through FitIntoPage;
  /// with `keepAspect`, from the first selected picture node on (index order)
  /// both factors are the one of the handle's direction. Returns the indexes
  /// of the picture nodes resized, for their pictures to be redrawn.
  std::vector<int> Apply(ItemKind kind, int focus, int handle, const platform::IntRect& resized, bool keepAspect);

 private:
  /// `box` resized to width x height, moving the edges `handle` moves (the
  /// right edge and bottom edge otherwise).
  static platform::IntRect Resize(const platform::IntRect& box, int handle, int width, int height);

  document::ChartDocument& doc_;
  float zoom_;
};

}  // namespace plume::chartview
