#pragma once
// The chart view's private item clipboard: copies of the nodes (with their
// view states) or of the slips selected at the last copy, and the anchor the
// paste displacement is measured from. The system clipboard never holds items.
// Node copies carry their pictures' file bytes, so a paste gives the copied
// picture whatever the document holds by then (another document, a new one, a
// resized or deleted source node).

#include <vector>

#include "document/ChartDocument.h"
#include "platform/CanvasTypes.h"
#include "platform/Picture.h"

namespace plume::chartview {

class ItemClipboard {
 public:
  /// n > 0: n nodes held; n < 0: -n slips held; 0: empty.
  int Count() const { return count_; }
  const std::vector<document::NodeRecord>& Nodes() const { return nodes_; }
  const std::vector<document::NodeViewState>& NodeStates() const { return states_; }
  const std::vector<document::SlipRecord>& Slips() const { return slips_; }
  /// The picture file bytes of node copy i (empty when the node had none).
  const std::vector<platform::Bytes>& PictureBytes() const { return pictures_; }
  /// Left-top of the focused item at copy time in screen pixels (page units x zoom, truncated).
  platform::Point Anchor() const { return anchor_; }

  /// Replaces the node copies with the selected nodes in index order; with
  /// none selected the clipboard is emptied. Returns the count.
  int CopyNodes(const document::ChartDocument& doc, float zoom);
  /// The same for the selected slips (Count() becomes -count).
  int CopySlips(const document::ChartDocument& doc, float zoom);
  /// Empties the clipboard (deletions, page deletion, a paste stopped at the limit).
  void Clear() { count_ = 0; }

 private:
  int count_ = 0;
  std::vector<document::NodeRecord> nodes_;
  std::vector<document::NodeViewState> states_;
  std::vector<platform::Bytes> pictures_;
  std::vector<document::SlipRecord> slips_;
  platform::Point anchor_;
};

}  // namespace plume::chartview
