#include "convert/PixelScaling.h"

#include <algorithm>
#include <cstring>

#include "convert/RowScaler.h"

namespace plume::convert {

platform::PixelImage StretchNearest(const platform::PixelImage& src, int width, int height) {
  if (src.Empty() || width <= 0 || height <= 0) return {};
  platform::PixelImage out(width, height);
  for (int y = 0; y < height; ++y) {
    const int sy = static_cast<int>(static_cast<long long>(y) * src.height / height);
    for (int x = 0; x < width; ++x)
      out.At(x, y) = src.At(static_cast<int>(static_cast<long long>(x) * src.width / width), sy);
  }
  return out;
}

platform::PixelImage ScaleSmooth(const platform::PixelImage& src, int width, int height) {
  if (src.Empty() || width <= 0 || height <= 0) return {};
  platform::PixelImage out(width, height);
  RowScaler scaler(src.width, src.height, width, height, [&out](int y, std::span<const std::uint32_t> row) {
    std::memcpy(out.Row(y), row.data(), row.size() * 4);
  });
  for (int y = 0; y < src.height; ++y)
    scaler.Push(std::span<const std::uint32_t>(src.Row(y), static_cast<std::size_t>(src.width)));
  return out;
}

}  // namespace plume::convert
