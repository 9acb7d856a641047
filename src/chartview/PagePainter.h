#pragma once
// DrawPage: paints one page of the document into a canvas whose origin is the
// page origin at the zoom of `params`: the background, then every arc, every
// node and every slip of the page in table order, so later items cover
// earlier ones. Used by the chart view, printing and page export.

#include "chartview/PaintParams.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

/// Frame colour of the page background.
inline constexpr platform::CanvasColor kPageFrame = 0x007B5E48;

/// Paints page `pageIndex`; nothing when the index names no page. Nodes and
/// slips without a size get their default size; the link markers drawn are
/// appended to params.markers (cleared first).
void DrawPage(document::ChartDocument& doc, platform::Canvas& canvas, int pageIndex, const PaintParams& params);

}  // namespace plume::chartview
