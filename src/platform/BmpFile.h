#pragma once
// Writes pixels as an uncompressed 24-bit bitmap file, the form in which the
// program hands pictures it paints itself to the platform's picture codec.

#include <cstdint>
#include <functional>

#include "platform/Picture.h"

namespace plume::platform {

/// `width` x `height` pixels as a bottom-up 24-bit bitmap file (rows padded
/// to four bytes, 96 dpi); `rgb(x, y)` gives the pixel at (x, y) as 0xRRGGBB.
Bytes EncodeBmp24(int width, int height, const std::function<std::uint32_t(int x, int y)>& rgb);

}  // namespace plume::platform
