#pragma once

#include <cstdint>

#include "platform/CanvasTypes.h"

namespace plume::chartview {

/// A page-link marker drawn in the last paint: its square in screen pixels
/// and the pages of its arc's two nodes, for hit-testing.
struct LinkMarker {
  platform::IntRect rect;
  std::uint16_t fromPageId = 0;
  std::uint16_t toPageId = 0;
  friend constexpr bool operator==(const LinkMarker&, const LinkMarker&) = default;
};

}  // namespace plume::chartview
