#pragma once
// A chart with several named pages for demonstrations and screenshots.

#include "document/ChartDocument.h"

namespace plume::shell {

/// Fills `doc` with pages carrying Japanese names and tab colours, page 2 current.
void FillDemoChart(document::ChartDocument& doc);

}  // namespace plume::shell
