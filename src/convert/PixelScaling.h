#pragma once
// Whole images redrawn at another size.

#include "platform/PixelImage.h"

namespace plume::convert {

/// Plain stretched copy: each target pixel takes the source pixel it falls
/// on, so no new colours appear (a transparency key stays exact).
platform::PixelImage StretchNearest(const platform::PixelImage& src, int width, int height);

/// Smooth redraw (area average when shrinking, linear when enlarging).
platform::PixelImage ScaleSmooth(const platform::PixelImage& src, int width, int height);

}  // namespace plume::convert
