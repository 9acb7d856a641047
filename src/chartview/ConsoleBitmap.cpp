#include "chartview/ConsoleBitmap.h"

#include <algorithm>
#include <cstdint>

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

namespace {
void Put16(platform::Bytes& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(platform::Bytes& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}
}  // namespace

platform::Bytes ConsoleBitmap::EncodeBmp() const {
  constexpr std::size_t kHeader = 14 + 40;  // file header + BITMAPINFOHEADER
  const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) / 4 * 4;
  const std::size_t imageSize = stride * static_cast<std::size_t>(height_);
  platform::Bytes out(kHeader + imageSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, kHeader);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(width_));
  Put32(out, 22, static_cast<std::uint32_t>(height_));  // positive: bottom-up rows
  Put16(out, 26, 1);                                     // planes
  Put16(out, 28, 24);                                    // bits per pixel, no compression
  Put32(out, 34, static_cast<std::uint32_t>(imageSize));
  Put32(out, 38, 3780);  // 96 dpi in pixels per metre
  Put32(out, 42, 3780);
  for (int y = 0; y < height_; ++y) {
    std::size_t at = kHeader + stride * static_cast<std::size_t>(height_ - 1 - y);
    for (int x = 0; x < width_; ++x) {
      const CanvasColor c = At(x, y);
      out[at++] = static_cast<std::uint8_t>(platform::BlueOf(c));
      out[at++] = static_cast<std::uint8_t>(platform::GreenOf(c));
      out[at++] = static_cast<std::uint8_t>(platform::RedOf(c));
    }
  }
  return out;
}

}  // namespace plume::chartview
