#pragma once
// A page painted small, for previews of a document in file managers: the
// zoom and picture size that fit a page into a square, the picture nodes the
// preview needs decoded, and the paint through the page painter.

#include <vector>

#include "document/ChartDocument.h"
#include "platform/Canvas.h"
#include "platform/ScratchSurface.h"

namespace plume::chartview {

struct ThumbnailPlan {
  int pageIndex = 0;
  /// The page painted at paintZoom into paintSize; the preview is that
  /// picture scaled to `size` (the same when paintZoom is the fitting zoom).
  float paintZoom = 1.0f;
  platform::Size paintSize;
  /// The preview: the page's shape within maxSide x maxSide, at least 1 x 1,
  /// never larger than the page itself.
  platform::Size size;
};

/// The plan for page `pageIndex` (which must name a page) and a square of
/// `maxSide` pixels (at least 1). Very small zooms are painted at the view's
/// smallest zoom and scaled down, so no item is painted below its legible size.
ThumbnailPlan PlanThumbnail(const document::ChartDocument& doc, int pageIndex, int maxSide);

/// Nodes of the page whose picture is kept as undecoded bytes, in table order.
std::vector<int> UndecodedPictureNodes(const document::ChartDocument& doc, int pageIndex);

/// Paints the plan's page into `canvas` (origin at the page origin) at
/// paintZoom, pictures through `scratch` (null leaves them out), after the
/// page is prepared as for the window. The document may change as painting
/// the window changes it (default sizes, pictures that cannot be drawn).
void PaintThumbnail(document::ChartDocument& doc, platform::Canvas& canvas, const ThumbnailPlan& plan,
                    platform::ScratchSurface* scratch);

}  // namespace plume::chartview
