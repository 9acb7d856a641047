#include "chartview/PagePainter.h"

#include "chartview/ArcPainter.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/NodePainter.h"
#include "chartview/SlipPainter.h"

namespace plume::chartview {

void DrawPage(document::ChartDocument& doc, platform::Canvas& canvas, int pageIndex, const PaintParams& params) {
  if (params.markers) params.markers->clear();
  if (pageIndex < 0 || pageIndex >= doc.header.pageCount) return;
  const document::PageRecord& page = doc.pages[pageIndex];
  canvas.Rectangle({0, 0, ZoomLength(page.pageWidth, params.zoom), ZoomLength(page.pageHeight, params.zoom)},
                   platform::Pen::Solid(kPageFrame), platform::Brush::Solid(page.backColor));

  NodePainter nodes(doc, params, canvas);
  // Sized before the arcs, so a new node's arcs meet its box in the first paint.
  nodes.SizeNodes(pageIndex);
  ArcPainter(doc, params, canvas).DrawArcs(page.pageId);
  nodes.DrawNodes(pageIndex);
  SlipPainter(doc, params, canvas).DrawSlips(pageIndex);
}

}  // namespace plume::chartview
