#pragma once
// Value types of the drawing canvas: points, rectangles, colours, pens,
// brushes, fonts and text flags. Plain constexpr values with ==, so a
// recorded drawing can be compared field by field.

#include <array>
#include <cstdint>
#include <string>

namespace plume::platform {

/// A colour 0x00BBGGRR (red in the low byte); kNoCanvasColor means none.
using CanvasColor = std::int32_t;
inline constexpr CanvasColor kNoCanvasColor = -1;

constexpr int RedOf(CanvasColor c) { return c & 0xFF; }
constexpr int GreenOf(CanvasColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(CanvasColor c) { return (c >> 16) & 0xFF; }

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

/// Device-style rectangle: left, top inclusive; right, bottom exclusive.
struct IntRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  /// Grown by `d` on every side (shrunk for negative d).
  constexpr IntRect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
  constexpr bool Intersects(const IntRect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  friend constexpr bool operator==(const IntRect&, const IntRect&) = default;
};

enum class PenStyle : std::uint8_t { Null, Solid };

/// A pen; width 0 draws one pixel wide, as width 1 does.
struct Pen {
  PenStyle style = PenStyle::Null;
  int width = 0;
  CanvasColor color = 0;

  static constexpr Pen None() { return {}; }
  static constexpr Pen Solid(CanvasColor color, int width = 0) { return {PenStyle::Solid, width, color}; }
  friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

/// A 2 x 2 pixel pattern, rows first: (0,0), (1,0), (0,1), (1,1).
using Pattern2x2 = std::array<CanvasColor, 4>;

enum class BrushStyle : std::uint8_t { Null, Solid, Pattern };

struct Brush {
  BrushStyle style = BrushStyle::Null;
  CanvasColor color = 0;  ///< Solid only
  Pattern2x2 pattern{};   ///< Pattern only, tiled from the canvas origin

  static constexpr Brush None() { return {}; }
  static constexpr Brush Solid(CanvasColor color) { return {BrushStyle::Solid, color, {}}; }
  static constexpr Brush FromPattern(const Pattern2x2& p) { return {BrushStyle::Pattern, 0, p}; }
  friend constexpr bool operator==(const Brush&, const Brush&) = default;
};

/// How drawn pixels meet the pixels underneath: replace them, or be combined
/// with them by bitwise AND ("mask").
enum class MixMode : std::uint8_t { Copy, Mask };

/// A font by face name (UTF-8), height in pixels and weight (400 normal,
/// 700 bold). A negative height is the character height without the internal
/// leading, a positive one the cell height.
struct FontSpec {
  std::string face;
  int height = 0;
  int weight = 400;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

/// Flags of DrawText; the horizontal alignment is one of the first three.
namespace text {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kEndEllipsis = 0x8000;
}  // namespace text

}  // namespace plume::platform
