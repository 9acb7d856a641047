#pragma once
// The chart data file: magic "PBD002    ", the header, the arc, node, slip and
// page tables (counts big-endian, records as they lie in memory) and the node
// pictures. Version 2 is written; versions 1 and 2 are read.

#include <istream>
#include <ostream>

#include "document/ChartDocument.h"
#include "platform/Picture.h"

namespace plume::document {

inline constexpr char kChartMagic[] = "PBD002    ";
inline constexpr int kChartMagicSize = 10;

/// Fills `doc` from a data file positioned at its start. On failure a message
/// has been shown and `doc` holds a new empty document.
bool ReadChart(ChartDocument& doc, std::istream& in, const platform::PictureCodec& codec);

/// Writes the whole document to an empty data file; false when a write failed
/// (no message: the save flow reports it).
bool WriteChart(const ChartDocument& doc, std::ostream& out);

}  // namespace plume::document
