#pragma once
// The transparency colour a PNG file asks for (the CPNGSub helper): found by
// plain byte searches for the IHDR, bKGD, tRNS and PLTE letters from offset 8,
// not by walking the chunks.

#include <cstdint>
#include <filesystem>
#include <span>

#include "document/ChartRecords.h"

namespace plume::convert {

enum class PngTransparencyStatus { Ok, OpenFailed, MemoryFailed, ReadFailed, NotPng, NoColourType };

/// The colour (0x00BBGGRR) for the PNG in `bytes`, -1 when it has none: grey
/// or RGB with alpha take the low bytes of bKGD (white without one); a palette
/// image with tRNS takes the palette entry of its first not fully opaque index.
PngTransparencyStatus PngTransparencyOf(std::span<const std::uint8_t> bytes, document::ColorRef& colour);

/// Reads `path` and finds its colour as above. With `showErrors` a failure
/// shows its tag line and 30087. False on failure; `colour` is then -1.
bool ReadPngTransparency(const std::filesystem::path& path, bool showErrors, document::ColorRef& colour);

}  // namespace plume::convert
