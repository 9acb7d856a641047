#pragma once
// The shared image file encoder as the core sees it: a bitmap in memory is
// written to a file in a named format at a chosen size. The Qt implementation
// lives in convert/ui (QtBitmapEncoder).

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace plume::convert {

/// Pixels the encoder reads: 32-bit 0xAARRGGBB values, row after row,
/// `stride` pixels from the start of one row to the next.
struct BitmapView {
  int width = 0;
  int height = 0;
  int stride = 0;
  std::span<const std::uint32_t> pixels;
};

class BitmapEncoder {
 public:
  virtual ~BitmapEncoder() = default;
  /// Writes `bitmap` stretched to width x height as a `typeName` file ("JPEG",
  /// "PNG", "BMP", "GIF", "TIFF", any case; "JPG" and "TIF" too), JPEG with
  /// the quality from the settings. An unknown type name or a file that cannot
  /// be written gives false without a message; no memory for the stretched
  /// copy shows 30001. A failed call leaves the file at `path` as it was.
  virtual bool SaveBitmapToFile(const BitmapView& bitmap, int width, int height,
                                const std::filesystem::path& path, std::string_view typeName) = 0;
};

}  // namespace plume::convert
