#pragma once
// The canvas over QPainter on a QImage: the chart view's back buffer, page
// exports and the scratch surface. Drawing is aliased, like the device it
// stands in for; the mask mix mode is a bitwise AND raster operation, so the
// target must be an RGB32 or ARGB32_Premultiplied image. Face names that are
// not installed (such as "Meiryo UI") are drawn in a Japanese face pinned
// here, so pictures do not depend on the font configuration's fallback.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <string>

#include "platform/Canvas.h"

namespace plume::platform {

class QtCanvas : public Canvas {
 public:
  /// The face drawn for face names that are not installed, and for characters a face lacks.
  static constexpr const char* kFallbackFace = "Noto Sans CJK JP";

  /// Paints into `target`, which must outlive the canvas.
  explicit QtCanvas(QImage& target, int dpi = 96, bool printer = false);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  const QImage& Image() const { return image_; }
  /// The Qt font for a font spec (face resolved through the fallback).
  static QFont ToQFont(const FontSpec& spec);

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
  Size TextExtent(std::string_view utf8, const FontSpec& font) override;
  bool DrawPicture(const Picture& picture, const IntRect& dest, CanvasColor transparentKey) override;
  bool CopyFrom(const Canvas& source, const IntRect& from, const IntRect& dest,
                CanvasColor transparentKey) override;
  int DpiX() const override { return dpi_; }
  int DpiY() const override { return dpi_; }
  bool IsPrinter() const override { return printer_; }
  IntRect VisibleBounds() const override;

 private:
  /// Selects pen and brush; returns the inset of the outline (half the pen width).
  double Select(const Pen& pen, const Brush& brush);
  const QFont& FontFor(const FontSpec& spec);
  /// Draws `part` of `image` stretched into `dest`, leaving out `key` pixels.
  void DrawKeyed(const QImage& image, const QRect& part, const IntRect& dest, CanvasColor key);

  QImage& image_;
  QPainter painter_;
  int dpi_;
  bool printer_;
  Point origin_;
  FontSpec lastSpec_;
  QFont lastFont_;
  bool haveFont_ = false;
};

}  // namespace plume::platform
