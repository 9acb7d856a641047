#pragma once
// The transparency colour a 32-bit BMP file marks: the colour of its first
// pixel whose alpha byte is 0 or 237.

#include <cstdint>
#include <filesystem>
#include <span>

#include "document/ChartRecords.h"

namespace plume::convert {

enum class BmpTransparencyStatus { Ok, OpenFailed, MemoryFailed, ReadFailed, NotBmp };

/// The colour (0x00BBGGRR) for the BMP in `bytes`; -1 for other depths or no
/// marked pixel. The pixel walk stops at the end of the bytes.
BmpTransparencyStatus BmpTransparencyOf(std::span<const std::uint8_t> bytes, document::ColorRef& colour);

/// Reads `path` and finds its colour as above; a failure shows its tag line
/// and 30540. False on failure; `colour` is then -1.
bool ReadBmpTransparency(const std::filesystem::path& path, document::ColorRef& colour);

}  // namespace plume::convert
