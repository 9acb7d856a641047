#pragma once
// DrawPage: paints one page of the document into a canvas whose origin is the
// page origin at the zoom of `params`: the background, then every arc, every
// node and every slip of the page in table order, so later items cover
// earlier ones. Used by the chart view, printing and page export. Painting
// only reads the document; PreparePage runs first.

#include "chartview/PaintParams.h"
#include "chartview/PaintResult.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

/// Frame colour of the page background.
inline constexpr platform::CanvasColor kPageFrame = 0x007B5E48;

/// Paints page params.pageIndex; nothing when the index names no page. The
/// title rectangles and link markers drawn go to `result` (cleared first;
/// may be null).
void DrawPage(const document::ChartDocument& doc, platform::Canvas& canvas, const PaintParams& params,
              PaintResult* result = nullptr);

}  // namespace plume::chartview
