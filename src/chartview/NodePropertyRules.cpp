#include "chartview/NodePropertyRules.h"

namespace plume::chartview {

int PictureScalePercent(int nodeWidth, int pictureWidth) {
  return pictureWidth > 0 ? nodeWidth * 100 / pictureWidth : 0;
}

document::Rect RectWithMasterRatio(const document::ChartDocument& doc, const document::Rect& node, int masterWidth,
                                   int masterHeight) {
  if (masterHeight <= 0) return node;
  const int h = node.Height();
  const int w = static_cast<int>(static_cast<float>(h) * (static_cast<float>(masterWidth) / static_cast<float>(masterHeight)));
  return doc.FitIntoPage({node.left, node.top, node.left + w, node.top + h});
}

document::Rect RectOfMasterSize(const document::ChartDocument& doc, const document::Rect& node, int masterWidth,
                                int masterHeight) {
  return doc.FitIntoPage({node.left, node.top, node.left + masterWidth, node.top + masterHeight});
}

int SetTitlePosOfSelected(document::ChartDocument& doc, std::uint16_t titlePos) {
  int changed = 0;
  for (int i = 0; i < doc.nodeCount; ++i) {
    if (!doc.nodeStates[i].selected) continue;
    doc.nodes[i].titlePos = titlePos;
    ++changed;
  }
  return changed;
}

}  // namespace plume::chartview
