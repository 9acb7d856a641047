#pragma once

#include "document/ChartDocument.h"

namespace plume::cli {

/// Fills `doc` with a small chart that shows every kind of item: three pages
/// with Japanese names, text and picture nodes (one with a transparent
/// colour), arcs within a page and across pages, and slips.
void BuildDemoChart(document::ChartDocument& doc);

}  // namespace plume::cli
