#include "chartview/ConsoleBitmap.h"

#include <algorithm>
#include <cstdint>

#include "platform/BmpFile.h"

namespace plume::chartview {

using platform::CanvasColor;

ConsoleBitmap::ConsoleBitmap(int width, int height, CanvasColor fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

CanvasColor ConsoleBitmap::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return platform::kNoCanvasColor;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void ConsoleBitmap::Set(int x, int y, CanvasColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = color;
}

void ConsoleBitmap::Blit(const ConsoleBitmap& source, int sx, int sy, int w, int h, int dx, int dy,
                         CanvasColor key) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const CanvasColor c = source.At(sx + x, sy + y);
      if (c == platform::kNoCanvasColor || (key != platform::kNoCanvasColor && c == key)) continue;
      Set(dx + x, dy + y, c);
    }
  }
}

platform::Bytes ConsoleBitmap::EncodeBmp() const {
  return platform::EncodeBmp24(width_, height_, [this](int x, int y) {
    const CanvasColor c = At(x, y);
    return static_cast<std::uint32_t>(platform::RedOf(c) << 16 | platform::GreenOf(c) << 8 | platform::BlueOf(c));
  });
}

}  // namespace plume::chartview
