#include "chartview/ItemClipboard.h"

namespace plume::chartview {

namespace {

platform::Point AnchorOf(const document::Rect& r, float zoom) {
  return {static_cast<int>(static_cast<float>(r.left) * zoom), static_cast<int>(static_cast<float>(r.top) * zoom)};
}

// The bytes a paste decodes the picture from: the file it was decoded from, a
// bitmap file of it, or the kept bytes of one that cannot be decoded.
platform::Bytes PictureBytesOf(const document::ChartDocument& doc, const document::NodeRecord& node) {
  if (!node.hasImage) return {};
  if (const platform::Picture* picture = doc.pictures.Get(node.image)) {
    platform::Bytes bytes = picture->EncodedBytes();
    return bytes.empty() ? picture->BitmapFileCopy() : bytes;
  }
  if (const platform::Bytes* kept = doc.pictures.Undecoded(node.image)) return *kept;
  return {};
}

}  // namespace

int ItemClipboard::CopyNodes(const document::ChartDocument& doc, float zoom) {
  std::vector<document::NodeRecord> nodes;
  std::vector<document::NodeViewState> states;
  std::vector<platform::Bytes> pictures;
  int first = -1;
  for (int i = 0; i < doc.nodeCount; ++i) {
    if (!doc.nodeStates[i].selected) continue;
    if (first < 0) first = i;
    nodes.push_back(doc.nodes[i]);
    nodes.back().image = document::PictureTable::kNone;  // a handle means nothing once the table changes
    states.push_back(doc.nodeStates[i]);
    pictures.push_back(PictureBytesOf(doc, doc.nodes[i]));
  }
  count_ = static_cast<int>(nodes.size());
  if (count_ == 0) return 0;
  nodes_ = std::move(nodes);
  states_ = std::move(states);
  pictures_ = std::move(pictures);
  // The focused node anchors the paste; a selection without one uses its first node.
  const int anchorIndex = doc.focusedNode >= 0 && doc.focusedNode < doc.nodeCount ? doc.focusedNode : first;
  anchor_ = AnchorOf(doc.nodes[anchorIndex].rect, zoom);
  return count_;
}

int ItemClipboard::CopySlips(const document::ChartDocument& doc, float zoom) {
  std::vector<document::SlipRecord> slips;
  int first = -1;
  for (int i = 0; i < doc.slipCount; ++i) {
    if (!doc.slips[i].selected) continue;
    if (first < 0) first = i;
    slips.push_back(doc.slips[i]);
  }
  count_ = -static_cast<int>(slips.size());
  if (count_ == 0) return 0;
  slips_ = std::move(slips);
  const int anchorIndex = doc.focusedSlip >= 0 && doc.focusedSlip < doc.slipCount ? doc.focusedSlip : first;
  anchor_ = AnchorOf(doc.slips[anchorIndex].rect, zoom);
  return -count_;
}

}  // namespace plume::chartview
