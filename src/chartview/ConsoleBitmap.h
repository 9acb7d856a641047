#pragma once
// A small 24-bit pixel buffer for the zoom console's pictures: drawn pixel by
// pixel in memory, combined with a transparent colour key, and handed to the
// platform's picture codec as an uncompressed bitmap file.

#include <vector>

#include "platform/CanvasTypes.h"
#include "platform/Picture.h"

namespace plume::chartview {

class ConsoleBitmap {
 public:
  /// A `width` x `height` bitmap filled with `fill` (0x00BBGGRR).
  ConsoleBitmap(int width, int height, platform::CanvasColor fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  /// Colour of pixel (x, y); kNoCanvasColor outside the bitmap.
  platform::CanvasColor At(int x, int y) const;
  /// Sets pixel (x, y); points outside the bitmap are ignored.
  void Set(int x, int y, platform::CanvasColor color);
  /// Copies the `w` x `h` block of `source` at (sx, sy) to (dx, dy), leaving
  /// out the pixels of colour `key` (none when kNoCanvasColor). The parts
  /// outside either bitmap are skipped.
  void Blit(const ConsoleBitmap& source, int sx, int sy, int w, int h, int dx, int dy,
            platform::CanvasColor key);
  /// The bitmap as a bottom-up 24-bit uncompressed bitmap file.
  platform::Bytes EncodeBmp() const;

 private:
  int width_;
  int height_;
  std::vector<platform::CanvasColor> pixels_;
};

}  // namespace plume::chartview
