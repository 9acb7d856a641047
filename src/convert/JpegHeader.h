#pragma once
// The JPEG header walk of the JPEG-to-PDF writer: finds the frame header
// (baseline FF C0 or progressive FF C2) by skipping every other segment by its
// length, and reads the image size and the number of colour components. The
// image data is never decoded.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>

namespace plume::convert {

/// What the PDF needs of a JPEG: its size and its colour space.
struct JpegFrameInfo {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  bool cmyk = false;  ///< 4 components; otherwise 3 (RGB or YCbCr)

  friend bool operator==(const JpegFrameInfo&, const JpegFrameInfo&) = default;
};

/// Walks the JPEG header in `bytes`. Refuses (nullopt) a file that does not
/// start with FF D8, meets FF FF or FF D9 before a frame header, has a segment
/// length below 2, ends before a frame header, or whose frame has a component
/// count other than 3 or 4 (greyscale included).
std::optional<JpegFrameInfo> ReadJpegHeader(std::span<const std::uint8_t> bytes);

/// The same walk on an open file, from its current position; the position is
/// left wherever the walk stopped.
std::optional<JpegFrameInfo> ReadJpegHeader(std::FILE* file);

}  // namespace plume::convert
