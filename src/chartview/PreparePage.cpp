#include "chartview/PreparePage.h"

#include "chartview/DefaultSize.h"

namespace plume::chartview {
namespace {

/// Whether `picture` can be drawn: an empty destination draws nothing and
/// only answers that. Unknown (true) without a scratch surface.
bool Drawable(const platform::Picture& picture, const platform::Canvas& target, platform::ScratchSurface* scratch) {
  platform::Canvas* canvas = scratch ? scratch->Reset(target, {1, 1}) : nullptr;
  return !canvas || canvas->DrawPicture(picture, {}, platform::kNoCanvasColor);
}

}  // namespace

bool PreparePage(document::ChartDocument& doc, const platform::Canvas& target, const PaintParams& params) {
  const int pageIndex = params.pageIndex;
  if (pageIndex < 0 || pageIndex >= doc.header.pageCount) return false;
  const std::uint16_t pageId = doc.pages[pageIndex].pageId;
  bool changed = false;
  for (int i = 0; i < doc.nodeCount; ++i) {
    document::NodeRecord& node = doc.nodes[i];
    if (node.pageId != pageId) continue;
    const platform::Picture* picture = node.hasImage ? doc.NodePicture(i) : nullptr;
    if (picture && !Drawable(*picture, target, params.scratch)) {
      node.hasImage = 0;
      node.rect = {node.rect.left, node.rect.top, node.rect.left, node.rect.top};
      changed = true;
    }
    changed |= GiveDefaultSize(doc, node.rect, params.sizes.nodeWidth, params.sizes.nodeHeight, pageIndex);
  }
  for (int i = 0; i < doc.slipCount; ++i) {
    document::SlipRecord& slip = doc.slips[i];
    if (slip.pageId == pageId)
      changed |= GiveDefaultSize(doc, slip.rect, params.sizes.slipWidth, params.sizes.slipHeight, pageIndex);
  }
  return changed;
}

}  // namespace plume::chartview
