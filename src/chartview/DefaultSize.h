#pragma once

#include "document/ChartDocument.h"

namespace plume::chartview {

/// Gives an item whose rectangle is narrower than 2 page units its default
/// size: grown around its position by half of `width` and half of `height`,
/// then fitted into page `pageIndex` (the page the item lies on). Returns
/// whether the rectangle changed.
bool GiveDefaultSize(document::ChartDocument& doc, document::Rect& rect, int width, int height, int pageIndex);

}  // namespace plume::chartview
