#include "chartview/UndoRecord.h"

#include <algorithm>
#include <new>

namespace plume::chartview {

void UndoRecord::TakeSnapshot(const document::ChartDocument& doc, Kind kind) {
  Discard();
  kind_ = kind;
  const int n = kind == Kind::Nodes ? doc.nodeCount : doc.slipCount;
  try {
    rects_.resize(static_cast<std::size_t>(n));
    pageIds_.resize(static_cast<std::size_t>(n));
  } catch (const std::bad_alloc&) {
    Discard();
    return;
  }
  for (int i = 0; i < n; ++i) {
    if (kind == Kind::Nodes) {
      rects_[i] = doc.nodes[i].rect;
      pageIds_[i] = doc.nodes[i].pageId;
    } else {
      rects_[i] = doc.slips[i].rect;
      pageIds_[i] = doc.slips[i].pageId;
    }
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

bool UndoRecord::Undo(document::ChartDocument& doc) {
  if (!available_) return false;
  const int current = kind_ == Kind::Nodes ? doc.nodeCount : doc.slipCount;
  const int n = std::min(Count(), current);
  for (int i = 0; i < n; ++i) {
    if (kind_ == Kind::Nodes) {
      doc.nodes[i].rect = rects_[i];
      doc.nodes[i].pageId = pageIds_[i];
    } else {
      doc.slips[i].rect = rects_[i];
      doc.slips[i].pageId = pageIds_[i];
    }
  }
  Discard();
  return true;
}

}  // namespace plume::chartview
