#include "chartview/ArcGeometry.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace plume::chartview {
namespace {

// |num| / |den| with a zero divisor giving an infinite slope.
double Slope(int num, int den) {
  if (den == 0) return std::numeric_limits<double>::infinity();
  return std::abs(static_cast<double>(num)) / std::abs(static_cast<double>(den));
}

int Trunc(double v) { return static_cast<int>(v); }

}  // namespace

std::optional<platform::Point> BorderPoint(const platform::IntRect& r, platform::Point towards) {
  const int a = r.left, b = r.top, c = r.right, d = r.bottom;
  const int m = (a + c) / 2;
  const int rc = (b + d) / 2;
  const int dx = towards.x - m;
  const int dy = towards.y - rc;
  if (dx == 0 && dy == 0) return std::nullopt;
  if (c - m == 0 && rc - b == 0) return platform::Point{m, rc};
  const double u = Slope(rc - b, c - m);
  const double v = Slope(dy, dx);
  // Rules in order, each setting both coordinates; a later one that holds wins.
  std::optional<platform::Point> p;
  if (u <= v && dy < 0) p = platform::Point{m + Trunc(static_cast<double>(dx) / -dy * (rc - b)), b};
  if (u >= v && dx > 0) p = platform::Point{c, rc + Trunc(static_cast<double>(dy) / dx * (c - m))};
  if (u <= v && dy > 0) p = platform::Point{m + Trunc(static_cast<double>(dx) / dy * (d - rc)), d};
  if (u >= v && dx < 0) p = platform::Point{a, rc + Trunc(static_cast<double>(dy) / -dx * (m - a))};
  return p;
}

std::optional<std::array<platform::Point, 3>> ArrowHead(platform::Point from, platform::Point tip) {
  const double ex = from.x - tip.x;
  const double ey = from.y - tip.y;
  const int dist = static_cast<int>(std::sqrt(ex * ex + ey * ey));
  if (dist == 0) return std::nullopt;
  const platform::Point base{tip.x + Trunc(10.0 / dist * ex), tip.y + Trunc(10.0 / dist * ey)};
  const double bx = tip.x - base.x;
  const double by = tip.y - base.y;
  const double len = std::sqrt(bx * bx + by * by);
  if (len == 0) return std::nullopt;
  const double ux = bx / len;
  const double uy = by / len;
  const int ox = static_cast<int>(std::floor(2.5 * uy));
  const int oy = static_cast<int>(std::floor(-2.5 * ux));
  return std::array<platform::Point, 3>{
      platform::Point{base.x - ox, base.y - oy}, tip, platform::Point{base.x + ox, base.y + oy}};
}

}  // namespace plume::chartview
