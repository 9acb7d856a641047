#pragma once
// One chart page painted the way the window, the page export, the printer and
// the previews all paint it: the page prepared (PreparePage), then drawn
// (DrawPage), with the default item sizes taken from the settings.

#include "chartview/PaintParams.h"
#include "chartview/PaintResult.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

/// Page `pageIndex` at `zoom` with the default sizes of `settings`, pictures
/// through `scratch` (null leaves them out) and no item edited in place.
PaintParams PageParams(const platform::SettingsStore& settings, platform::ScratchSurface* scratch, int pageIndex,
                       float zoom);

/// Prepares and paints page params.pageIndex into `canvas`. The title
/// rectangles and link markers drawn go to `result` when given: the window
/// keeps them for hit-testing; export and printing pass none. True when the
/// preparing step changed the document (default sizes, undrawable pictures).
bool PaintChartPage(document::ChartDocument& doc, platform::Canvas& canvas, const PaintParams& params,
                    PaintResult* result = nullptr);

}  // namespace plume::chartview
