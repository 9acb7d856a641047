#include "chartview/ViewProperties.h"

#include <algorithm>

namespace plume::chartview {

int ViewProperties::ParseSize(std::string_view text) {
  long long value = 0;
  for (char c : text) {
    if (c == ',') continue;
    if (c < '0' || c > '9') break;
    value = std::min<long long>(value * 10 + (c - '0'), kMaxSize + 1);
  }
  return static_cast<int>(std::clamp<long long>(value, kMinSize, kMaxSize));
}

platform::Size ViewProperties::ItemExtent(const document::ChartDocument& doc, float zoom) {
  const std::uint16_t pageId = doc.CurrentPage().pageId;
  int right = 0;
  int bottom = 0;
  auto add = [&](const document::Rect& rect, int futosa) {
    const int half = futosa / 2;
    right = std::max(right, static_cast<int>(static_cast<float>(rect.right + half) * zoom));
    bottom = std::max(bottom, static_cast<int>(static_cast<float>(rect.bottom + half) * zoom));
  };
  for (int i = 0; i < doc.nodeCount; ++i) {
    const document::NodeRecord& node = doc.nodes[i];
    if (node.pageId != pageId) continue;
    add(node.rect, node.style.Futosa);
    const document::Rect& title = doc.nodeStates[i].titleRect;
    if (title.Width() > 0 && title.Height() > 0) {
      right = std::max(right, title.right);
      bottom = std::max(bottom, title.bottom);
    }
  }
  for (int i = 0; i < doc.slipCount; ++i) {
    if (doc.slips[i].pageId == pageId) add(doc.slips[i].rect, doc.slips[i].style.Futosa);
  }
  return {static_cast<int>(static_cast<float>(right) / zoom), static_cast<int>(static_cast<float>(bottom) / zoom)};
}

bool ViewProperties::Apply(document::ChartDocument& doc, int width, int height, float zoom) {
  document::PageRecord& page = doc.CurrentPage();
  if (width == page.pageWidth && height == page.pageHeight) return false;
  if (width < page.pageWidth || height < page.pageHeight) {
    const platform::Size extent = ItemExtent(doc, zoom);
    width = std::max(width, extent.cx);
    height = std::max(height, extent.cy);
  }
  // Items may reach beyond 5000; the record keeps 16 bits.
  page.pageWidth = static_cast<std::uint16_t>(std::min(width, 65535));
  page.pageHeight = static_cast<std::uint16_t>(std::min(height, 65535));
  return true;
}

}  // namespace plume::chartview
