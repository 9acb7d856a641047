#pragma once
// A picture shown in a dialog's preview frame: kept at its size and centred
// when it fits, else shrunk by the smaller of the two ratios and centred
// along the other axis.

#include "document/ChartRecords.h"
#include "platform/Canvas.h"
#include "platform/ScratchSurface.h"

namespace plume::convert {

/// Where a w x h picture goes in `frame`; the scale is single precision and
/// the scaled sides are truncated. Empty for an empty picture.
platform::IntRect PictureRectInFrame(int w, int h, const platform::IntRect& frame);

/// Draws `picture` (null: nothing) into `frame` of `dc`, first at its own size
/// on the shared scratch surface, then copied stretched, leaving out
/// `transColor` unless it is -1. With `frameWidth` above 0 a one-pixel frame
/// of `frameColour` goes around the drawn rectangle grown by 1. Returns the
/// rectangle drawn (empty when nothing was).
platform::IntRect DrawPictureInFrame(platform::Canvas& dc, platform::CanvasColor frameColour,
                                     const platform::Picture* picture, const platform::IntRect& frame,
                                     int frameWidth, document::ColorRef transColor, platform::ScratchSurface& scratch);

}  // namespace plume::convert
