#include "output/ui/ChartPagePaint.h"

#include "chartview/PagePainter.h"
#include "chartview/PreparePage.h"
#include "platform/SettingsTable.h"

namespace plume::output::ui {

namespace settings = platform::settings;

PagePaint ChartPagePaint(document::ChartDocument& doc, int pageIndex, platform::SettingsStore& store,
                         platform::ScratchSurface* scratch) {
  return [&doc, pageIndex, &store, scratch](platform::Canvas& canvas, float zoom) {
    chartview::PaintParams params;
    params.zoom = zoom;
    params.sizes = {settings::Get(store, settings::KanSet::NodeWidth), settings::Get(store, settings::KanSet::NodeHeight),
                    settings::Get(store, settings::KanSet::SlipWidth), settings::Get(store, settings::KanSet::SlipHeight)};
    params.scratch = scratch;
    params.pageIndex = pageIndex;
    // The view's title rectangles and link markers stay those of the window's last paint.
    // What the preparing step changes (default sizes, undrawable pictures) is an edit the user must not lose unawares.
    if (chartview::PreparePage(doc, canvas, params)) doc.Changes().MarkModified();
    chartview::DrawPage(doc, canvas, params);
  };
}

}  // namespace plume::output::ui
