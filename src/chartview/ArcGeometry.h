#pragma once
// Where an arc meets its nodes and the corners of its arrowhead, in screen
// pixels.

#include <array>
#include <optional>

#include "platform/CanvasTypes.h"

namespace plume::chartview {

/// Where the segment from the centre of `r` towards `towards` leaves `r`.
/// A segment steeper than the rectangle's diagonal leaves through the top or
/// bottom edge, a flatter one through the left or right edge; on the exact
/// diagonal the side edge wins. nullopt when `towards` is the centre itself
/// (there is no direction); a rectangle shrunk to a point gives that point.
std::optional<platform::Point> BorderPoint(const platform::IntRect& r, platform::Point towards);

/// The triangle (corner1, tip, corner2) of an arrowhead at `tip` for an arrow
/// coming from `from`: its base lies about 10 pixels back from the tip and is
/// 2 x 2.5 pixels wide on each side, whatever the zoom. nullopt when the two
/// points coincide (an arrow without a direction has no head).
std::optional<std::array<platform::Point, 3>> ArrowHead(platform::Point from, platform::Point tip);

}  // namespace plume::chartview
