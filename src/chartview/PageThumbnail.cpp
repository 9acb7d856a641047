#include "chartview/PageThumbnail.h"

#include <algorithm>

#include "chartview/ChartView.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/PagePainter.h"
#include "chartview/PaintChartPage.h"

namespace plume::chartview {

ThumbnailPlan PlanThumbnail(const document::ChartDocument& doc, int pageIndex, int maxSide) {
  ThumbnailPlan plan;
  plan.pageIndex = pageIndex;
  const document::PageRecord& page = doc.pages[pageIndex];
  const int width = std::max(1, static_cast<int>(page.pageWidth));
  const int height = std::max(1, static_cast<int>(page.pageHeight));
  maxSide = std::max(1, maxSide);
  const int longSide = std::max(width, height);
  const float fit = std::min(1.0f, static_cast<float>(maxSide) / static_cast<float>(longSide));
  // In whole numbers, so the long side is exactly the square's.
  auto fitted = [&](int length) {
    if (longSide <= maxSide) return length;
    return std::max(1, static_cast<int>(static_cast<long long>(length) * maxSide / longSide));
  };
  plan.size = {fitted(width), fitted(height)};
  plan.paintZoom = std::max(fit, ChartView::kMinZoom);
  plan.paintSize = {std::max(1, ZoomLength(width, plan.paintZoom)), std::max(1, ZoomLength(height, plan.paintZoom))};
  return plan;
}

std::vector<int> UndecodedPictureNodes(const document::ChartDocument& doc, int pageIndex) {
  std::vector<int> nodes;
  const std::uint16_t pageId = doc.pages[pageIndex].pageId;
  for (int i = 0; i < doc.nodeCount; ++i) {
    const document::NodeRecord& node = doc.nodes[i];
    if (node.pageId == pageId && node.hasImage && doc.pictures.Undecoded(node.image)) nodes.push_back(i);
  }
  return nodes;
}

void PaintThumbnail(document::ChartDocument& doc, platform::Canvas& canvas, const ThumbnailPlan& plan,
                    platform::ScratchSurface* scratch) {
  PaintParams params;
  params.pageIndex = plan.pageIndex;
  params.zoom = plan.paintZoom;
  params.scratch = scratch;
  PaintChartPage(doc, canvas, params);
}

}  // namespace plume::chartview
