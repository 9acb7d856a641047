#pragma once
// What a page paint needs besides the document and the canvas.

#include <vector>

#include "chartview/LinkMarker.h"
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
  float zoom = 1.0f;
  /// Item edited in place: n + 1 for node n, -(n + 1) for slip n, 0 for none.
  int editTarget = 0;
  DefaultSizes sizes;
  /// The shared scratch surface node pictures are rendered through; null
  /// leaves pictures out.
  platform::ScratchSurface* scratch = nullptr;
  /// Receives the link markers drawn (at most kMaxLinkMarkers); may be null.
  std::vector<LinkMarker>* markers = nullptr;
};

/// Link markers recorded per paint for hit-testing; further ones are drawn only.
inline constexpr int kMaxLinkMarkers = 100;

}  // namespace plume::chartview
