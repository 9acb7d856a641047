#pragma once
// How the stored area sizes meet a window of another size: no area starts
// collapsed unless an area command collapsed it, and a window that grows or
// shrinks shares its space among the areas in proportion.

#include <vector>

#include "shell/WindowGeometry.h"

namespace plume::shell {

/// The stored sizes fitted to a client `width` x `height` (the extents the
/// two splitters divide). A layout an area command made is kept: the chart
/// alone (left column 0), the HTML area alone (both at least the client), the
/// text area alone (left column at least the client width, HTML area 0).
/// Otherwise the chart column keeps at least a quarter of the width and the
/// text area at least a quarter of the height; an HTML area stored as 0 stays 0.
AreaSizes FitStoredAreaSizes(AreaSizes stored, int width, int height);

/// `sizes` scaled to add up to `total`, each in proportion to its share;
/// areas of size 0 stay 0. Sizes that add up to 0 are returned unchanged.
std::vector<int> ShareInProportion(const std::vector<int>& sizes, int total);

}  // namespace plume::shell
