#include "chartview/UndoRecord.h"

#include <algorithm>
#include <new>

namespace plume::chartview {

void UndoRecord::TakeSnapshot(const document::ChartDocument& doc, Kind kind) {
  Discard();
  kind_ = kind;
  const int n = doc.ItemCount(kind);
  try {
    rects_.resize(static_cast<std::size_t>(n));
    pageIds_.resize(static_cast<std::size_t>(n));
  } catch (const std::bad_alloc&) {
    Discard();
    return;
  }
  for (int i = 0; i < n; ++i) {
    rects_[i] = doc.ItemRect(kind, i);
    pageIds_[i] = doc.ItemPageId(kind, i);
  }
  available_ = true;
}

void UndoRecord::Discard() {
  rects_.clear();
  rects_.shrink_to_fit();
  pageIds_.clear();
  pageIds_.shrink_to_fit();
  available_ = false;
}

bool UndoRecord::Undo(document::ChartDocument& doc, bool* changed) {
  if (changed) *changed = false;
  if (!available_) return false;
  const int current = doc.ItemCount(kind_);
  const int n = std::min(Count(), current);
  for (int i = 0; i < n; ++i) {
    document::Rect& rect = doc.ItemRect(kind_, i);
    std::uint16_t& pageId = doc.ItemPageId(kind_, i);
    if (changed && (rect != rects_[i] || pageId != pageIds_[i])) *changed = true;
    rect = rects_[i];
    pageId = pageIds_[i];
  }
  Discard();
  return true;
}

}  // namespace plume::chartview
