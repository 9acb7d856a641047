#pragma once
// The printed page's painter: one chart page through the page painter, with
// the default item sizes from the settings and node pictures through the
// scratch surface. The view's hit rectangles and link markers are not touched.

#include "document/ChartDocument.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"
#include "output/ui/ChartPrinter.h"

namespace plume::output::ui {

/// Paints page `pageIndex` of `doc`; `doc`, `settings` and `scratch` must outlive the result.
PagePaint ChartPagePaint(document::ChartDocument& doc, int pageIndex, platform::SettingsStore& settings,
                         platform::ScratchSurface* scratch);

}  // namespace plume::output::ui
