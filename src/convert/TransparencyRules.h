#pragma once
// The pixel rules that give a node picture one transparent key colour: images
// with an alpha channel are flattened onto the key, and every other pixel is
// kept off it. Colours are 0x00BBGGRR; pixels 0xAARRGGBB.

#include <cstdint>

#include "document/ChartRecords.h"
#include "platform/PixelImage.h"

namespace plume::convert {

/// 0xAARRGGBB pixel to 0x00BBGGRR colour and back (the back one opaque).
document::ColorRef PixelColour(std::uint32_t pixel);
std::uint32_t OpaquePixel(document::ColorRef colour);

/// Gives every pixel with alpha 0 the colour of `background` (alpha stays 0),
/// as a conversion onto that background colour does.
void ClearPixelsTake(platform::PixelImage& image, std::uint32_t background);

/// The colour of the first pixel (in memory order) whose alpha is 0; -1 when none.
document::ColorRef FirstClearColour(const platform::PixelImage& image);

/// Gives every pixel with alpha 0 the colour `key`.
void RecolourClearPixels(platform::PixelImage& image, document::ColorRef key);

/// The rules of a screen with fewer than 24 bits a pixel: a white key moves
/// near-white pixels to (255, 247, 255), a black key near-black ones to
/// (0, 8, 0); any other key turns clear pixels white, moves pure white ones
/// to (255, 247, 255) and becomes white itself.
void ApplyLowColourRules(platform::PixelImage& image, document::ColorRef& transColor);

/// Flattens the alpha onto `key`: clear pixels become the key, opaque pixels
/// equal to it get their green moved by 8, others are mixed with `a` = alpha /
/// 255 in single precision and the mix truncated. The result is opaque.
void FlattenOntoKey(platform::PixelImage& image, document::ColorRef key);

}  // namespace plume::convert
