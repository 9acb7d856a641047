#pragma once
// The step the chart view runs before it paints a page (and export and
// printing before theirs): the only place where painting changes the model.

#include "chartview/PaintParams.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

/// Prepares page params.pageIndex for painting into `target`:
/// - a picture node whose picture cannot be drawn (tried through
///   params.scratch; skipped without one) leaves its picture (hasImage 0) and
///   its size (rectangle collapsed to its top left corner);
/// - then every node and slip of the page narrower than 2 units gets its
///   default size from params.sizes, fitted into the page.
/// Returns whether anything changed. Nothing for an index that names no page.
bool PreparePage(document::ChartDocument& doc, const platform::Canvas& target, const PaintParams& params);

}  // namespace plume::chartview
