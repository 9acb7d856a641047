#include "chartview/ItemBox.h"

#include <array>

namespace plume::chartview {

using platform::Brush;
using platform::IntRect;
using platform::Pen;
using platform::Point;

void DrawSelectionHalo(platform::Canvas& canvas, const IntRect& box, int lineWidth, bool focused) {
  canvas.Rectangle(box.Inflated(lineWidth / 2 + 4), Pen::None(),
                   Brush::FromPattern(focused ? kFocusPattern : kSelectionPattern));
}

void DrawBoxShape(platform::Canvas& canvas, const IntRect& box, bool square, int corner, const Pen& pen,
                  const Brush& brush) {
  if (square)
    canvas.Rectangle(box, pen, brush);
  else
    canvas.RoundRect(box, corner, corner, pen, brush);
}

void DrawMaskedBox(platform::Canvas& canvas, const IntRect& box, bool square, int corner, const Pen& pen) {
  canvas.SetMixMode(platform::MixMode::Mask);
  DrawBoxShape(canvas, box, square, corner, pen, Brush::FromPattern(kNoFillPattern));
  canvas.SetMixMode(platform::MixMode::Copy);
}

void DrawHandles(platform::Canvas& canvas, const IntRect& box, int lineWidth, bool focused) {
  const IntRect g = box.Inflated(lineWidth / 2);
  const int mx = (g.left + g.right) / 2;
  const int my = (g.top + g.bottom) / 2;
  const std::array<Point, 4> corners{Point{g.left, g.top}, Point{g.right, g.top}, Point{g.right, g.bottom},
                                     Point{g.left, g.bottom}};
  const std::array<Point, 4> middles{Point{mx, g.top}, Point{g.right, my}, Point{mx, g.bottom},
                                     Point{g.left, my}};
  const Pen pen = Pen::Solid(0x00808080);
  const Brush fill = Brush::Solid(focused ? 0x00B46464 : kWhite);
  for (const Point& c : corners) canvas.Ellipse({c.x - 5, c.y - 5, c.x + 5, c.y + 5}, pen, fill);
  for (const Point& c : middles) canvas.Ellipse({c.x - 3, c.y - 3, c.x + 3, c.y + 3}, pen, fill);
}

unsigned AlignFlags(int alineH) {
  if (alineH == 1) return platform::text::kCenter;
  if (alineH == 2) return platform::text::kRight;
  return platform::text::kLeft;
}

}  // namespace plume::chartview
