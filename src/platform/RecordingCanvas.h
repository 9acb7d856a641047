#pragma once
// A canvas that draws nothing and logs every call, for tests of painters:
// they compare the recorded calls (coordinates, pens, brushes, fonts, texts)
// with the numbers they expect. Text is measured by a fixed rule, so layouts
// do not depend on installed fonts.

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace plume::platform {

enum class CanvasOp {
  SetOrigin, SetMixMode, Rectangle, RoundRect, Ellipse, Line, Polygon, FrameRect, DrawText, DrawPicture, CopyFrom
};

/// One recorded call; only the fields of its operation are set.
struct CanvasCall {
  CanvasOp op = CanvasOp::Rectangle;
  IntRect rect;                ///< shapes, frame, text, picture and copy destination
  Point a, b;                  ///< line ends; SetOrigin uses a
  std::vector<Point> points;   ///< polygon
  Pen pen;
  Brush brush;
  MixMode mix = MixMode::Copy;  ///< SetMixMode; for drawing calls the mode in force
  int cornerW = 0, cornerH = 0;
  std::string text;            ///< UTF-8
  FontSpec font;
  CanvasColor color = 0;       ///< frame, text colour; transparent key of pictures and copies
  unsigned flags = 0;
  const Picture* picture = nullptr;
  const Canvas* source = nullptr;
  IntRect from;                ///< CopyFrom source rectangle

  /// One line describing the call, for failure messages.
  std::string ToString() const;
};

class RecordingCanvas : public Canvas {
 public:
  std::vector<CanvasCall> calls;
  int dpiX = 96, dpiY = 96;
  bool printer = false;
  /// Bounds of the target in target pixels; VisibleBounds subtracts the origin.
  IntRect targetBounds{-(1 << 29), -(1 << 29), 1 << 29, 1 << 29};
  /// DrawPicture fails (the picture cannot be rendered).
  bool failPictures = false;

  /// The calls of one operation, in order.
  std::vector<CanvasCall> Calls(CanvasOp op) const;
  /// The first DrawText call with `utf8`; nullptr when there is none.
  const CanvasCall* FindText(std::string_view utf8) const;

  /// The fixed text measure: each character (code point) is |height| / 2
  /// pixels wide; a line is |height| + |height| / 3 pixels high.
  static Size Measure(std::string_view utf8, const FontSpec& font);

  void SetOrigin(Point origin) override;
  Point Origin() const override { return origin_; }
  void SetMixMode(MixMode mode) override;
  void Rectangle(const IntRect& r, const Pen& pen, const Brush& brush) override;
  void RoundRect(const IntRect& r, int cornerW, int cornerH, const Pen& pen, const Brush& brush) override;
  void Ellipse(const IntRect& r, const Pen& pen, const Brush& brush) override;
  void Line(Point a, Point b, const Pen& pen) override;
  void Polygon(std::span<const Point> points, const Pen& pen, const Brush& brush) override;
  void FrameRect(const IntRect& r, CanvasColor color) override;
  void DrawText(const IntRect& r, std::string_view utf8, const FontSpec& font, CanvasColor color,
                unsigned flags) override;
  Size TextExtent(std::string_view utf8, const FontSpec& font) override { return Measure(utf8, font); }
  bool DrawPicture(const Picture& picture, const IntRect& dest, CanvasColor transparentKey) override;
  bool CopyFrom(const Canvas& source, const IntRect& from, const IntRect& dest,
                CanvasColor transparentKey) override;
  int DpiX() const override { return dpiX; }
  int DpiY() const override { return dpiY; }
  bool IsPrinter() const override { return printer; }
  IntRect VisibleBounds() const override;

 private:
  CanvasCall& Add(CanvasOp op);
  Point origin_;
  MixMode mix_ = MixMode::Copy;
};

}  // namespace plume::platform
