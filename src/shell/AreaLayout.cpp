#include "shell/AreaLayout.h"

#include <algorithm>
#include <numeric>

namespace plume::shell {

AreaSizes FitStoredAreaSizes(AreaSizes stored, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  const bool fullWidth = stored.leftWidth >= width;
  if (fullWidth && stored.htmlHeight >= height) return {width, height};  // the HTML area alone
  if (fullWidth && stored.htmlHeight == 0) return {width, 0};            // the text area alone
  AreaSizes fitted;
  fitted.leftWidth = std::min(stored.leftWidth, width - width / 4);
  fitted.htmlHeight = std::min(stored.htmlHeight, height - height / 4);
  return fitted;
}

std::vector<int> ShareInProportion(const std::vector<int>& sizes, int total) {
  const long long before = std::accumulate(sizes.begin(), sizes.end(), 0LL);
  if (before <= 0) return sizes;
  std::vector<int> shared(sizes.size(), 0);
  long long given = 0;
  int last = -1;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i] <= 0) continue;
    shared[i] = static_cast<int>(static_cast<long long>(sizes[i]) * total / before);
    given += shared[i];
    last = static_cast<int>(i);
  }
  shared[last] += static_cast<int>(total - given);  // the rounding remainder
  return shared;
}

}  // namespace plume::shell
