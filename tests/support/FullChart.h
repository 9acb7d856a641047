#pragma once
// A document filled to every capacity (100 pages, 10,000 nodes, 10,000 arcs,
// 1,000 slips) for round-trip tests and benchmarks.

#include "document/ChartDocument.h"

namespace plume::testing {

/// Fills `doc` with distinct content in every record; every 50th node gets a
/// FakePicture of `pictureBytes` bytes (nodes 50 and 100 share one object).
void FillToCapacity(document::ChartDocument& doc, std::size_t pictureBytes = 0);

}  // namespace plume::testing
