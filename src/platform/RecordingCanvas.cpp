#include "platform/RecordingCanvas.h"

#include <cstdlib>
#include <sstream>

namespace plume::platform {
namespace {

const char* OpName(CanvasOp op) {
  switch (op) {
    case CanvasOp::SetOrigin: return "SetOrigin";
    case CanvasOp::SetMixMode: return "SetMixMode";
    case CanvasOp::Rectangle: return "Rectangle";
    case CanvasOp::RoundRect: return "RoundRect";
    case CanvasOp::Ellipse: return "Ellipse";
    case CanvasOp::Line: return "Line";
    case CanvasOp::Polygon: return "Polygon";
    case CanvasOp::FrameRect: return "FrameRect";
    case CanvasOp::DrawText: return "DrawText";
    case CanvasOp::DrawPicture: return "DrawPicture";
    case CanvasOp::CopyFrom: return "CopyFrom";
  }
  return "?";
}

std::ostream& operator<<(std::ostream& os, const IntRect& r) {
  return os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

std::size_t CodePoints(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

std::string CanvasCall::ToString() const {
  std::ostringstream os;
  os << OpName(op) << " " << rect << " a=(" << a.x << "," << a.y << ") b=(" << b.x << "," << b.y << ")";
  if (!points.empty()) {
    os << " pts=";
    for (const Point& p : points) os << "(" << p.x << "," << p.y << ")";
  }
  os << " pen=" << static_cast<int>(pen.style) << "/" << pen.width << "/" << std::hex << pen.color << std::dec
     << " brush=" << static_cast<int>(brush.style) << "/" << std::hex << brush.color << std::dec
     << " mix=" << static_cast<int>(mix) << " color=" << std::hex << color << std::dec << " flags=" << flags;
  if (!text.empty()) os << " text=\"" << text << "\" font=" << font.face << "/" << font.height << "/" << font.weight;
  return os.str();
}

CanvasCall& RecordingCanvas::Add(CanvasOp op) {
  CanvasCall& c = calls.emplace_back();
  c.op = op;
  c.mix = mix_;
  return c;
}

std::vector<CanvasCall> RecordingCanvas::Calls(CanvasOp op) const {
  std::vector<CanvasCall> out;
  for (const CanvasCall& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

const CanvasCall* RecordingCanvas::FindText(std::string_view utf8) const {
  for (const CanvasCall& c : calls)
    if (c.op == CanvasOp::DrawText && c.text == utf8) return &c;
  return nullptr;
}

Size RecordingCanvas::Measure(std::string_view utf8, const FontSpec& font) {
  const int h = std::abs(font.height);
  return {static_cast<int>(CodePoints(utf8)) * (h / 2), h + h / 3};
}

void RecordingCanvas::SetOrigin(Point origin) {
  origin_ = origin;
  Add(CanvasOp::SetOrigin).a = origin;
}

void RecordingCanvas::SetMixMode(MixMode mode) {
  mix_ = mode;
  Add(CanvasOp::SetMixMode).mix = mode;
}

void RecordingCanvas::Rectangle(const IntRect& r, const Pen& pen, const Brush& brush) {
  CanvasCall& c = Add(CanvasOp::Rectangle);
  c.rect = r;
  c.pen = pen;
  c.brush = brush;
}

void RecordingCanvas::RoundRect(const IntRect& r, int cornerW, int cornerH, const Pen& pen, const Brush& brush) {
  CanvasCall& c = Add(CanvasOp::RoundRect);
  c.rect = r;
  c.cornerW = cornerW;
  c.cornerH = cornerH;
  c.pen = pen;
  c.brush = brush;
}

void RecordingCanvas::Ellipse(const IntRect& r, const Pen& pen, const Brush& brush) {
  CanvasCall& c = Add(CanvasOp::Ellipse);
  c.rect = r;
  c.pen = pen;
  c.brush = brush;
}

void RecordingCanvas::Line(Point a, Point b, const Pen& pen) {
  CanvasCall& c = Add(CanvasOp::Line);
  c.a = a;
  c.b = b;
  c.pen = pen;
}

void RecordingCanvas::Polygon(std::span<const Point> points, const Pen& pen, const Brush& brush) {
  CanvasCall& c = Add(CanvasOp::Polygon);
  c.points.assign(points.begin(), points.end());
  c.pen = pen;
  c.brush = brush;
}

void RecordingCanvas::FrameRect(const IntRect& r, CanvasColor color) {
  CanvasCall& c = Add(CanvasOp::FrameRect);
  c.rect = r;
  c.color = color;
}

void RecordingCanvas::DrawText(const IntRect& r, std::string_view utf8, const FontSpec& font, CanvasColor color,
                               unsigned flags) {
  CanvasCall& c = Add(CanvasOp::DrawText);
  c.rect = r;
  c.text = std::string(utf8);
  c.font = font;
  c.color = color;
  c.flags = flags;
}

bool RecordingCanvas::DrawPicture(const Picture& picture, const IntRect& dest, CanvasColor transparentKey) {
  if (failPictures) return false;
  if (dest.IsEmpty()) return true;  // a question, not a drawing
  CanvasCall& c = Add(CanvasOp::DrawPicture);
  c.picture = &picture;
  c.rect = dest;
  c.color = transparentKey;
  return true;
}

bool RecordingCanvas::CopyFrom(const Canvas& source, const IntRect& from, const IntRect& dest,
                               CanvasColor transparentKey) {
  CanvasCall& c = Add(CanvasOp::CopyFrom);
  c.source = &source;
  c.from = from;
  c.rect = dest;
  c.color = transparentKey;
  return true;
}

IntRect RecordingCanvas::VisibleBounds() const {
  return {targetBounds.left - origin_.x, targetBounds.top - origin_.y, targetBounds.right - origin_.x,
          targetBounds.bottom - origin_.y};
}

}  // namespace plume::platform
