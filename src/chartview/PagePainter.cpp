#include "chartview/PagePainter.h"

#include "chartview/ArcPainter.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/NodePainter.h"
#include "chartview/SlipPainter.h"

namespace plume::chartview {

void DrawPage(const document::ChartDocument& doc, platform::Canvas& canvas, const PaintParams& params,
              PaintResult* result) {
  if (result) *result = {};
  const int pageIndex = params.pageIndex;
  if (pageIndex < 0 || pageIndex >= doc.header.pageCount) return;
  const document::PageRecord& page = doc.pages[pageIndex];
  canvas.Rectangle({0, 0, ZoomLength(page.pageWidth, params.zoom), ZoomLength(page.pageHeight, params.zoom)},
                   platform::Pen::Solid(kPageFrame), platform::Brush::Solid(page.backColor));

  ArcPainter(doc, params, canvas, result ? &result->markers : nullptr).DrawArcs(page.pageId);
  NodePainter(doc, params, canvas).DrawNodes(pageIndex, result ? &result->titleRects : nullptr);
  SlipPainter(doc, params, canvas).DrawSlips(pageIndex);
}

}  // namespace plume::chartview
