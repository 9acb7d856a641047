#pragma once
// What a page paint needs besides the document and the canvas.

#include "platform/ScratchSurface.h"

namespace plume::chartview {

/// Default item sizes (settings KanSet NodeWidth, NodeHeight, SlipWidth, SlipHeight).
struct DefaultSizes {
  int nodeWidth = 100;
  int nodeHeight = 50;
  int slipWidth = 100;
  int slipHeight = 50;
};

struct PaintParams {
  /// The page painted (an index into the page table).
  int pageIndex = 0;
  float zoom = 1.0f;
  /// Item edited in place: n + 1 for node n, -(n + 1) for slip n, 0 for none.
  int editTarget = 0;
  DefaultSizes sizes;
  /// The shared scratch surface node pictures are rendered through; null
  /// leaves pictures out.
  platform::ScratchSurface* scratch = nullptr;
};

/// Link markers recorded per paint for hit-testing; further ones are drawn only.
inline constexpr int kMaxLinkMarkers = 100;

}  // namespace plume::chartview
