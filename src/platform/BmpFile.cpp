#include "platform/BmpFile.h"

#include <algorithm>

namespace plume::platform {

namespace {
void Put16(Bytes& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}
}  // namespace

Bytes EncodeBmp24(int width, int height, const std::function<std::uint32_t(int x, int y)>& rgb) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  constexpr std::size_t kHeader = 14 + 40;  // file header + BITMAPINFOHEADER
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  Bytes out(kHeader + imageSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, kHeader);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(width));
  Put32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
  Put16(out, 26, 1);                                    // planes
  Put16(out, 28, 24);                                   // bits per pixel, no compression
  Put32(out, 34, static_cast<std::uint32_t>(imageSize));
  Put32(out, 38, 3780);  // 96 dpi in pixels per metre
  Put32(out, 42, 3780);
  for (int y = 0; y < height; ++y) {
    std::size_t at = kHeader + stride * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = rgb(x, y);
      out[at++] = static_cast<std::uint8_t>(c);
      out[at++] = static_cast<std::uint8_t>(c >> 8);
      out[at++] = static_cast<std::uint8_t>(c >> 16);
    }
  }
  return out;
}

}  // namespace plume::platform
