#pragma once
// The font of a node or slip, shared by the page painter and the picture
// previews.

#include "document/ChartRecords.h"
#include "platform/Canvas.h"

namespace plume::chartview {

/// The face drawn when an item's FontName is empty.
inline constexpr const char* kDefaultFace = "Meiryo UI";

/// Font height in pixels for a size in points on a target of `dpiY`:
/// -(points x dpiY / 72), the division rounded to the nearest integer.
int FontHeightForPoints(int points, int dpiY);

/// The item's font on `target`: face FontName (empty: "Meiryo UI"), bold
/// (700) when FontBold is nonzero, else 400; the size is FontSize on a
/// printer and trunc(FontSize x zoom) elsewhere.
platform::FontSpec SelectItemFont(const document::ItemStyle& style, float zoom, const platform::Canvas& target);

}  // namespace plume::chartview
