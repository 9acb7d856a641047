#include "chartview/PaintChartPage.h"

#include "chartview/PagePainter.h"
#include "chartview/PreparePage.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

namespace settings = platform::settings;

PaintParams PageParams(const platform::SettingsStore& store, platform::ScratchSurface* scratch, int pageIndex,
                       float zoom) {
  PaintParams params;
  params.pageIndex = pageIndex;
  params.zoom = zoom;
  params.sizes = {settings::Get(store, settings::KanSet::NodeWidth), settings::Get(store, settings::KanSet::NodeHeight),
                  settings::Get(store, settings::KanSet::SlipWidth), settings::Get(store, settings::KanSet::SlipHeight)};
  params.scratch = scratch;
  return params;
}

bool PaintChartPage(document::ChartDocument& doc, platform::Canvas& canvas, const PaintParams& params,
                    PaintResult* result) {
  const bool changed = PreparePage(doc, canvas, params);
  DrawPage(doc, canvas, params, result);
  return changed;
}

}  // namespace plume::chartview
