#pragma once
// The rules behind the node properties dialog: the scale of a node's
// picture, the node rectangles made from its master file's size, and the
// title position given to every selected node.

#include "document/ChartDocument.h"

namespace plume::chartview {

/// Node width x 100 / picture width (integer); 0 for a picture without width.
int PictureScalePercent(int nodeWidth, int pictureWidth);

/// Keeps left, top and height h and sets the width to h x (W / H)
/// (single precision, truncated); then fitted into the current page.
document::Rect RectWithMasterRatio(const document::ChartDocument& doc, const document::Rect& node, int masterWidth,
                                   int masterHeight);

/// W x H at the node's left and top, fitted into the current page.
document::Rect RectOfMasterSize(const document::ChartDocument& doc, const document::Rect& node, int masterWidth,
                                int masterHeight);

/// Gives `titlePos` (0 none, 1 above, 2 below) to every selected node; the
/// number of nodes changed.
int SetTitlePosOfSelected(document::ChartDocument& doc, std::uint16_t titlePos);

}  // namespace plume::chartview
