#pragma once
// The dial ring drawn around the focused node: a ring of coloured dots with
// its radius written beside it.

#include "platform/Canvas.h"

namespace plume::chartview {

/// Dots of a 5-pixel pen on the circle of `radius` screen pixels around
/// `centre`, at angles 2 pi k / radius for k = 1 .. radius - 2, shading from
/// blue to white; and the radius as a number in the 40 x 40 square centred
/// on (centre.x + radius, centre.y - 4). Nothing for a radius of 1 or less.
void DrawDialRing(platform::Canvas& canvas, platform::Point centre, int radius);

}  // namespace plume::chartview
