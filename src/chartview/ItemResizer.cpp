#include "chartview/ItemResizer.h"

#include <algorithm>

#include "chartview/CoordinateMapping.h"

namespace plume::chartview {

using platform::IntRect;
using platform::Point;

IntRect ItemResizer::Track(const IntRect& itemBox, int handle, Point pointer) const {
  const document::PageRecord& page = doc_.CurrentPage();
  const int x = std::clamp(pointer.x, 0, std::max(0, ZoomLength(page.pageWidth, zoom_)));
  const int y = std::clamp(pointer.y, 0, std::max(0, ZoomLength(page.pageHeight, zoom_)));
  const int minW = ZoomLength(kMinWidth, zoom_);
  const int minH = ZoomLength(kMinHeight, zoom_);
  IntRect r = itemBox;
  if (MovesLeft(handle)) r.left = std::min(x, r.right - minW);
  if (MovesRight(handle)) r.right = std::max(x, r.left + minW);
  if (MovesTop(handle)) r.top = std::min(y, r.bottom - minH);
  if (MovesBottom(handle)) r.bottom = std::max(y, r.top + minH);
  return r;
}

IntRect ItemResizer::Resize(const IntRect& box, int handle, int width, int height) {
  IntRect r = box;
  if (MovesLeft(handle))
    r.left = r.right - width;
  else
    r.right = r.left + width;
  if (MovesTop(handle))
    r.top = r.bottom - height;
  else
    r.bottom = r.top + height;
  return r;
}

std::vector<int> ItemResizer::Apply(ItemKind kind, int focus, int handle, const IntRect& resized, bool keepAspect) {
  std::vector<int> pictures;
  const bool nodes = kind == ItemKind::Nodes;
  const int count = nodes ? doc_.nodeCount : doc_.slipCount;
  if (focus < 0 || focus >= count) return pictures;
  const IntRect focusBox = PageToScreen(nodes ? doc_.nodes[focus].rect : doc_.slips[focus].rect, zoom_);
  // A degenerate focused item gives no factor on that axis: it keeps the size.
  double sx = focusBox.Width() > 0 ? static_cast<double>(resized.Width()) / focusBox.Width() : 1.0;
  double sy = focusBox.Height() > 0 ? static_cast<double>(resized.Height()) / focusBox.Height() : 1.0;
  const bool vertical = handle == 4 || handle == 6;

  if (!nodes) {
    for (int i = 0; i < count; ++i) {
      document::SlipRecord& slip = doc_.slips[i];
      if (!slip.selected) continue;
      const IntRect box = ToIntRect(slip.rect);
      slip.rect = ToRect(Resize(box, handle, static_cast<int>(box.Width() * sx), static_cast<int>(box.Height() * sy)));
    }
    return pictures;
  }

  bool linked = false;
  for (int i = 0; i < count; ++i) {
    if (!doc_.nodeStates[i].selected) continue;
    document::NodeRecord& node = doc_.nodes[i];
    if (node.hasImage) {
      if (keepAspect && !linked) {
        // From the first picture node on, both axes take the handle's factor.
        if (vertical)
          sx = sy;
        else
          sy = sx;
        linked = true;
      }
      pictures.push_back(i);
    }
    const IntRect box = PageToScreen(node.rect, zoom_);
    const IntRect r = Resize(box, handle, static_cast<int>(box.Width() * sx), static_cast<int>(box.Height() * sy));
    const int left = static_cast<int>(static_cast<float>(r.left) / zoom_);
    const int top = static_cast<int>(static_cast<float>(r.top) / zoom_);
    const int width = static_cast<int>(static_cast<float>(r.Width()) / zoom_);
    const int height = static_cast<int>(static_cast<float>(r.Height()) / zoom_);
    node.rect = doc_.FitIntoPage({left, top, left + width, top + height});
  }
  return pictures;
}

}  // namespace plume::chartview
