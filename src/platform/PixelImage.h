#pragma once
// A plain 32-bit image in memory: 0xAARRGGBB values (not premultiplied), row
// after row, no padding. The image rules of the conversion code work on these.

#include <cstdint>
#include <vector>

namespace plume::platform {

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  PixelImage() = default;
  PixelImage(int w, int h, std::uint32_t fill = 0)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

  std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
  bool Empty() const { return width <= 0 || height <= 0; }
};

}  // namespace plume::platform
