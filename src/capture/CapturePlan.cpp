#include "capture/CapturePlan.h"

#include <algorithm>

namespace plume::capture {

int ScaledHeight(int width, int height, int imageW) {
  if (width <= 0 || height <= 0 || imageW <= 0) return 0;
  const float ratio = static_cast<float>(imageW) / static_cast<float>(width);
  const float scaled = static_cast<float>(height) * ratio;
  if (scaled >= 2147483647.0f) return 2147483647;
  return std::max(1, static_cast<int>(scaled));
}

std::optional<ScaledSize> ScaledPageSize(int width, int height, int imageW) {
  if (width <= 0 || height <= 0 || imageW <= 0) return std::nullopt;
  const int rows = ScaledHeight(width, height, imageW);
  if (rows <= kMaxJpegRows) return ScaledSize{imageW, rows};
  // Only an enlargement may give way; a page taller than a JPEG at its own width cannot fit.
  if (imageW <= width || height > kMaxJpegRows) return std::nullopt;
  int fitted = static_cast<int>(static_cast<double>(kMaxJpegRows) * width / height);
  while (fitted > width && ScaledHeight(width, height, fitted) > kMaxJpegRows) --fitted;
  fitted = std::max(fitted, width);
  return ScaledSize{fitted, ScaledHeight(width, height, fitted)};
}

int BandRowsFor(int drawnWidth) {
  if (drawnWidth <= 0) return kBandRows;
  return std::clamp(kBandPixels / drawnWidth, 64, kBandRows);
}

std::optional<BandRows> RowsToKeep(int wanted, int actualTop, int bandRows, int pageHeight) {
  if (actualTop > wanted || actualTop < 0) return std::nullopt;
  const int first = wanted - actualTop;
  const int last = std::min(bandRows, pageHeight - actualTop);
  if (first >= last) return std::nullopt;
  return BandRows{first, last};
}

}  // namespace plume::capture
