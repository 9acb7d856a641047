#pragma once
// The demonstration charts: the program's sample chart (also the windows'
// test and screenshot chart) and the command-line tool's small chart. Their
// pictures are painted here in plain pixels and made into pictures by the
// platform's pixel codec.

#include "document/ChartDocument.h"
#include "platform/PixelCodec.h"

namespace plume::document {

/// Fills `doc` with six pages carrying Japanese names and tab colours; page 2 is
/// current and holds text and picture nodes (one with a transparent colour), a slip
/// and arcs, one of them from a node on page 3.
void FillDemoChart(ChartDocument& doc, const platform::PixelCodec& codec);

/// Fills `doc` with a small chart that shows every kind of item: three pages
/// with Japanese names, text and picture nodes (one with a transparent
/// colour), arcs within a page and across pages, and slips; page 1 is current.
void FillSmallDemoChart(ChartDocument& doc, const platform::PixelCodec& codec);

}  // namespace plume::document
