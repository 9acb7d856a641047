#include "chartview/ConsoleArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace plume::chartview {

using platform::CanvasColor;
using platform::IntRect;

namespace {

constexpr CanvasColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

constexpr bool Inside(const IntRect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

/// Fills a shape given by `inside` with `fill`, lighter along its upper and
/// left edges and darker along its lower and right ones, so it looks raised.
template <class InsideFn>
void Bevelled(ConsoleBitmap& bmp, const IntRect& bounds, InsideFn inside, CanvasColor fill, CanvasColor light,
              CanvasColor dark) {
  for (int y = bounds.top; y < bounds.bottom; ++y) {
    for (int x = bounds.left; x < bounds.right; ++x) {
      if (!inside(x, y)) continue;
      CanvasColor c = fill;
      if (!inside(x, y - 1) || !inside(x - 1, y)) c = light;
      if (!inside(x, y + 1) || !inside(x + 1, y)) c = dark;
      bmp.Set(x, y, c);
    }
  }
}

// Seven-segment layout in a 32 x 50 cell, before the slant: horizontal bars
// a (top), g (middle), d (bottom); upright bars f, b (upper) and e, c (lower).
constexpr double kHalfBar = 2.6;
constexpr double kLeftCol = 6.5, kRightCol = 25.5, kBarFrom = 10.0, kBarTo = 22.0;
constexpr double kTopRow = 5.0, kMidRow = 25.0, kBottomRow = 45.0;
constexpr double kSlant = 0.12;  ///< forward lean: x shift per pixel above the middle

/// Distance-like measure of (x, y) from a bar with pointed ends; inside when <= kHalfBar.
double BarDistance(double x, double y, double x0, double y0, double x1, double y1) {
  if (y0 == y1) return std::abs(y - y0) + std::max({0.0, x0 - x, x - x1});
  return std::abs(x - x0) + std::max({0.0, y0 - y, y - y1});
}

/// Segment bits a..g (bit 0 = a) of each digit.
constexpr std::array<unsigned, 10> kSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

/// Which segment (0..6 for a..g) the cell pixel (x, y) belongs to, -1 for none.
int SegmentAt(int x, int y) {
  const double py = y + 0.5;
  const double px = x + 0.5 + (py - kMidRow) * kSlant;
  const double upperFrom = kTopRow + 3.0, upperTo = kMidRow - 3.0;
  const double lowerFrom = kMidRow + 3.0, lowerTo = kBottomRow - 3.0;
  const std::array<double, 7> d{
      BarDistance(px, py, kBarFrom, kTopRow, kBarTo, kTopRow),           // a
      BarDistance(px, py, kRightCol, upperFrom, kRightCol, upperTo),     // b
      BarDistance(px, py, kRightCol, lowerFrom, kRightCol, lowerTo),     // c
      BarDistance(px, py, kBarFrom, kBottomRow, kBarTo, kBottomRow),     // d
      BarDistance(px, py, kLeftCol, lowerFrom, kLeftCol, lowerTo),       // e
      BarDistance(px, py, kLeftCol, upperFrom, kLeftCol, upperTo),       // f
      BarDistance(px, py, kBarFrom, kMidRow, kBarTo, kMidRow)};          // g
  for (int s = 0; s < 7; ++s)
    if (d[static_cast<std::size_t>(s)] <= kHalfBar) return s;
  return -1;
}

}  // namespace

ConsoleBitmap ConsoleArt::Face() {
  ConsoleBitmap face(kSize, kSize, kFaceKey);
  constexpr double kCentre = kSize / 2.0;
  constexpr double kRadius = kSize / 2.0 - 0.5;
  constexpr double kBezel = 5.0;  ///< width of the darker rim
  // Light from the upper left, a little towards the viewer.
  const double lx = -0.45, ly = -0.55, lz = 0.70;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double dx = x + 0.5 - kCentre, dy = y + 0.5 - kCentre;
      const double r = std::sqrt(dx * dx + dy * dy);
      if (r > kRadius) continue;
      const double nx = dx / kRadius, ny = dy / kRadius;
      const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
      const double lit = std::clamp(0.30 + 0.70 * (nx * lx + ny * ly + nz * lz), 0.0, 1.0);
      const double glow = lit * lit;
      int red = static_cast<int>(25 + 110 * glow);
      int green = static_cast<int>(95 + 150 * lit);
      int blue = static_cast<int>(35 + 95 * glow);
      if (r > kRadius - kBezel) {  // the rim is shaded the other way round, like a raised edge
        const double edge = std::clamp(0.5 - 0.5 * (nx * lx + ny * ly) / 0.71, 0.0, 1.0);
        red = static_cast<int>(20 + 90 * edge);
        green = static_cast<int>(70 + 150 * edge);
        blue = static_cast<int>(25 + 80 * edge);
      }
      face.Set(x, y, Rgb(red, green, blue));
    }
  }
  // The dark display window behind the digits, with rounded corners.
  const IntRect window{11, 36, 119, 94};
  constexpr int kCorner = 6;
  for (int y = window.top; y < window.bottom; ++y) {
    for (int x = window.left; x < window.right; ++x) {
      const int cx = std::clamp(x, window.left + kCorner, window.right - 1 - kCorner);
      const int cy = std::clamp(y, window.top + kCorner, window.bottom - 1 - kCorner);
      const int ddx = x - cx, ddy = y - cy;
      if (ddx * ddx + ddy * ddy > kCorner * kCorner) continue;
      const bool rim = y == window.top || x == window.left || ddx * ddx + ddy * ddy > (kCorner - 1) * (kCorner - 1);
      face.Set(x, y, rim ? Rgb(10, 50, 20) : Rgb(18, 32, 22));
    }
  }
  Bevelled(
      face, {50, 5, 80, 35},
      [](int x, int y) { return Inside(kPlusUpright, x, y) || Inside(kPlusCrossbar, x, y); },
      Rgb(35, 80, 235), Rgb(140, 175, 255), Rgb(10, 30, 130));
  Bevelled(
      face, kMinusBar, [](int x, int y) { return Inside(kMinusBar, x, y); }, Rgb(225, 35, 35),
      Rgb(255, 150, 140), Rgb(120, 10, 10));
  return face;
}

ConsoleBitmap ConsoleArt::DigitStrip() {
  ConsoleBitmap strip(10 * kDigitWidth, kDigitHeight, kDigitKey);
  const CanvasColor lit = Rgb(255, 45, 35);
  const CanvasColor litCore = Rgb(255, 120, 100);
  const CanvasColor unlit = Rgb(70, 22, 20);  // dark segments, as on a real display
  for (int d = 0; d < 10; ++d) {
    const unsigned on = kSegments[static_cast<std::size_t>(d)];
    for (int y = 0; y < kDigitHeight; ++y) {
      for (int x = 0; x < kDigitWidth; ++x) {
        const int s = SegmentAt(x, y);
        if (s < 0) continue;
        CanvasColor c = unlit;
        if (on & (1u << s)) {
          // A brighter core line gives the lit bars some depth.
          const bool core = SegmentAt(x - 1, y) == s && SegmentAt(x + 1, y) == s && SegmentAt(x, y - 1) == s &&
                            SegmentAt(x, y + 1) == s && SegmentAt(x - 2, y) == s && SegmentAt(x + 2, y) == s &&
                            SegmentAt(x, y - 2) == s && SegmentAt(x, y + 2) == s;
          c = core ? litCore : lit;
        }
        strip.Set(d * kDigitWidth + x, y, c);
      }
    }
  }
  return strip;
}

int ConsoleArt::FirstDigitLeft(int digits) {
  switch (digits) {
    case 1: return 49;
    case 2: return 31;
    default: return 15;
  }
}

ConsoleBitmap ConsoleArt::Compose(const ConsoleBitmap& face, const ConsoleBitmap& strip, int percent) {
  ConsoleBitmap out = face;
  const std::string digits = std::to_string(std::clamp(percent, 0, 999));
  int x = FirstDigitLeft(static_cast<int>(digits.size()));
  for (const char ch : digits) {
    const int d = ch - '0';
    out.Blit(strip, d * kDigitWidth, 0, kDigitWidth, kDigitHeight, x, kDigitTop, kDigitKey);
    x += kDigitPitch;
  }
  return out;
}

}  // namespace plume::chartview
