#include "chartview/DialRing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "chartview/ItemFont.h"

namespace plume::chartview {

void DrawDialRing(platform::Canvas& canvas, platform::Point centre, int radius) {
  if (radius <= 1) return;
  for (int k = 1; k <= radius - 2; ++k) {
    const double angle = 2.0 * std::numbers::pi * k / radius;
    const platform::Point p{centre.x + static_cast<int>(radius * std::cos(angle)),
                            centre.y + static_cast<int>(radius * std::sin(angle))};
    const int red = std::min(3 * k, 255);
    const int green = k < 127 ? 2 * k : 255;
    canvas.Line(p, p, platform::Pen::Solid(red | (green << 8) | (255 << 16), 5));
  }
  platform::FontSpec font{kDefaultFace, FontHeightForPoints(8, canvas.DpiY()), 400};
  const int cx = centre.x + radius;
  const int cy = centre.y - 4;
  canvas.DrawText({cx - 20, cy - 20, cx + 20, cy + 20}, std::to_string(radius), font, 0x004E55E0,
                  platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine);
}

}  // namespace plume::chartview
