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

std::optional<BandRows> RowsToKeep(int wanted, int actualTop, int bandRows, int pageHeight) {
  if (actualTop > wanted || actualTop < 0) return std::nullopt;
  const int first = wanted - actualTop;
  const int last = std::min(bandRows, pageHeight - actualTop);
  if (first >= last) return std::nullopt;
  return BandRows{first, last};
}

}  // namespace plume::capture
