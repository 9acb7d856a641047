#include "chartview/PageResizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chartview/CoordinateMapping.h"

namespace plume::chartview {

using platform::IntRect;

int PageResizer::ItemExtent(bool width) const {
  const std::uint16_t pageId = doc_.CurrentPage().pageId;
  int extent = 0;
  auto take = [&](const IntRect& r) {
    if (r.IsEmpty()) return;
    extent = std::max(extent, width ? r.right : r.bottom);
  };
  for (int i = 0; i < doc_.nodeCount; ++i) {
    const document::NodeRecord& node = doc_.nodes[i];
    if (node.pageId != pageId) continue;
    take(PageToScreen(node.rect, zoom_).Inflated(ZoomLength(node.style.Futosa, zoom_) / 2));
    take(ToIntRect(doc_.nodeStates[i].titleRect));
  }
  for (int i = 0; i < doc_.slipCount; ++i) {
    const document::SlipRecord& slip = doc_.slips[i];
    if (slip.pageId != pageId) continue;
    take(PageToScreen(slip.rect, zoom_).Inflated(ZoomLength(slip.style.Futosa, zoom_) / 2));
  }
  return extent;
}

int PageResizer::EdgeAt(bool width, int at) const {
  int edge = std::max(at, ItemExtent(width));
  edge = std::max(edge, ZoomLength(kMinSize, zoom_));
  return std::min(edge, ZoomLength(kMaxSize, zoom_));
}

IntRect PageResizer::Bar(bool width, int at) const {
  const document::PageRecord& page = doc_.CurrentPage();
  const int edge = EdgeAt(width, at);
  if (width) return {edge - kBarWidth / 2, 0, edge + kBarWidth / 2, ZoomLength(page.pageHeight, zoom_)};
  return {0, edge - kBarWidth / 2, ZoomLength(page.pageWidth, zoom_), edge + kBarWidth / 2};
}

int PageResizer::SizeAt(bool width, int at) const {
  int size = static_cast<int>(static_cast<float>(EdgeAt(width, at)) / zoom_);
  // Truncating back to page units could cut the outermost item by a unit at
  // some zooms: round its extent up instead.
  size = std::max(size, static_cast<int>(std::ceil(static_cast<float>(ItemExtent(width)) / zoom_)));
  return std::clamp(size, kMinSize, kMaxSize);
}

bool PageResizer::Apply(bool width, int pressedAt, int at) {
  if (std::abs(at - pressedAt) <= 1) return false;
  const auto stored = static_cast<std::uint16_t>(SizeAt(width, at));
  document::PageRecord& page = doc_.CurrentPage();
  (width ? page.pageWidth : page.pageHeight) = stored;
  return true;
}

}  // namespace plume::chartview
