#include "chartview/ItemMover.h"

namespace plume::chartview {

int ItemMover::ToPageDelta(int screenDelta, float zoom) {
  int d = static_cast<int>(static_cast<float>(screenDelta) / zoom);
  if (d == 0 && (screenDelta == 1 || screenDelta == -1)) d = screenDelta;
  return d;
}

const document::Rect& ItemMover::RectOf(ItemKind kind, int index) const {
  return doc_.ItemRect(kind, index);
}

int ItemMover::FutosaOf(ItemKind kind, int index) const {
  return doc_.ItemStyleOf(kind, index).Futosa;
}

document::Rect ItemMover::MovedOutline(ItemKind kind, int index, int dx, int dy) const {
  const int f = FutosaOf(kind, index);
  const document::Rect& rect = RectOf(kind, index);
  document::Rect r{rect.left - f + dx, rect.top - f + dy, rect.right + f + dx, rect.bottom + f + dy};
  const int w = doc_.CurrentPage().pageWidth;
  const int h = doc_.CurrentPage().pageHeight;
  int topLimit = 1;
  int bottomLimit = h;
  if (kind == ItemKind::Nodes) {
    const document::NodeRecord& node = doc_.nodes[index];
    if (node.titlePos != 0) {
      const int t = static_cast<int>(static_cast<float>(doc_.nodeStates[index].titleRect.Height()) / zoom_);
      if (node.titlePos == 1) topLimit = t + 1;
      if (node.titlePos == 2) bottomLimit = h - t;
    }
  }
  const auto shift = [&r](int sx, int sy) {
    r.left += sx;
    r.right += sx;
    r.top += sy;
    r.bottom += sy;
  };
  if (r.right >= w) shift(w - 1 - r.right, 0);
  if (r.bottom >= bottomLimit) shift(0, bottomLimit - 1 - r.bottom);
  if (r.left < 2) shift(2 - r.left, 0);
  if (r.top <= topLimit) shift(0, topLimit + 1 - r.top);
  return r;
}

document::Rect ItemMover::MovedRect(ItemKind kind, int index, int dx, int dy) const {
  const int f = FutosaOf(kind, index);
  const document::Rect r = MovedOutline(kind, index, dx, dy);
  return {r.left + f, r.top + f, r.right - f, r.bottom - f};
}

int ItemMover::MoveSelected(ItemKind kind, int dx, int dy) {
  const std::uint16_t pageId = doc_.CurrentPage().pageId;
  int moved = 0;
  if (kind == ItemKind::Nodes) {
    for (int i = 0; i < doc_.nodeCount; ++i) {
      if (!doc_.nodeStates[i].selected) continue;
      doc_.nodes[i].pageId = pageId;
      doc_.nodes[i].rect = MovedRect(kind, i, dx, dy);
      ++moved;
    }
  } else {
    for (int i = 0; i < doc_.slipCount; ++i) {
      if (!doc_.slips[i].selected) continue;
      doc_.slips[i].pageId = pageId;
      doc_.slips[i].rect = MovedRect(kind, i, dx, dy);
      ++moved;
    }
  }
  return moved;
}

}  // namespace plume::chartview
