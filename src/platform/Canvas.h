#pragma once
// The drawing surface every painter of the program draws on: the chart view's
// back buffer, printer pages, exported images and the shared scratch surface.
// Coordinates are logical pixels; SetOrigin moves logical (0, 0) on the
// target. Shapes follow the device convention: a rectangle covers its left
// and top edges but not its right and bottom edges, and an outline is drawn
// along its inside. Text is UTF-8 and always drawn without a background.

#include <span>
#include <string_view>

#include "platform/CanvasTypes.h"
#include "platform/Picture.h"

namespace plume::platform {

class Canvas {
 public:
  virtual ~Canvas() = default;

  /// Where logical (0, 0) lies on the target, in target pixels.
  virtual void SetOrigin(Point origin) = 0;
  virtual Point Origin() const = 0;
  /// How later drawing meets the pixels underneath (Copy until changed).
  virtual void SetMixMode(MixMode mode) = 0;

  /// Rectangle filled with `brush` and outlined with `pen`.
  virtual void Rectangle(const IntRect& r, const Pen& pen, const Brush& brush) = 0;
  /// Rectangle with corners rounded by an ellipse of cornerW x cornerH.
  virtual void RoundRect(const IntRect& r, int cornerW, int cornerH, const Pen& pen, const Brush& brush) = 0;
  /// Ellipse inscribed in `r`.
  virtual void Ellipse(const IntRect& r, const Pen& pen, const Brush& brush) = 0;
  /// Straight line from `a` to `b` with round ends; a == b draws a dot as wide as the pen.
  virtual void Line(Point a, Point b, const Pen& pen) = 0;
  /// Closed polygon, filled and outlined.
  virtual void Polygon(std::span<const Point> points, const Pen& pen, const Brush& brush) = 0;
  /// One-pixel frame along the inside of `r`.
  virtual void FrameRect(const IntRect& r, CanvasColor color) = 0;

  /// Draws UTF-8 text into `r` (clipped to it) with the text:: flags.
  virtual void DrawText(const IntRect& r, std::string_view utf8, const FontSpec& font, CanvasColor color,
                        unsigned flags) = 0;
  /// Width and height of one line of `utf8` in `font`.
  virtual Size TextExtent(std::string_view utf8, const FontSpec& font) = 0;

  /// Draws `picture` stretched into `dest`; pixels of colour `transparentKey`
  /// are left out unless it is kNoCanvasColor. False when the picture cannot
  /// be rendered (nothing drawn). An empty `dest` draws nothing and only
  /// answers whether the picture can be rendered.
  virtual bool DrawPicture(const Picture& picture, const IntRect& dest, CanvasColor transparentKey) = 0;
  /// Copies `from` of `source` (target pixels of that canvas) stretched into
  /// `dest`, leaving out pixels of colour `transparentKey` unless it is
  /// kNoCanvasColor. False when `source` cannot be copied from.
  virtual bool CopyFrom(const Canvas& source, const IntRect& from, const IntRect& dest,
                        CanvasColor transparentKey) = 0;

  /// Pixels per inch of the target.
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  virtual bool IsPrinter() const = 0;
  /// The part of the target that can receive pixels, in logical coordinates.
  /// Painters may skip items wholly outside it.
  virtual IntRect VisibleBounds() const = 0;
};

}  // namespace plume::platform
