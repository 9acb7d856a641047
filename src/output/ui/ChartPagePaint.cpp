#include "output/ui/ChartPagePaint.h"

#include "chartview/PaintChartPage.h"

namespace plume::output::ui {

PagePaint ChartPagePaint(document::ChartDocument& doc, int pageIndex, platform::SettingsStore& store,
                         platform::ScratchSurface* scratch) {
  return [&doc, pageIndex, &store, scratch](platform::Canvas& canvas, float zoom) {
    // The view's title rectangles and link markers stay those of the window's last paint.
    // What the preparing step changes (default sizes, undrawable pictures) is an edit the user must not lose unawares.
    if (chartview::PaintChartPage(doc, canvas, chartview::PageParams(store, scratch, pageIndex, zoom)))
      doc.Changes().MarkModified();
  };
}

}  // namespace plume::output::ui
