#include "platform/qt/QtCanvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtConvert.h"

namespace plume::platform {
namespace {


QString ResolveFace(const std::string& face) {
  // Pages are painted on several threads at once: each keeps its own answers.
  thread_local std::map<std::string, QString> cache;
  auto it = cache.find(face);
  if (it == cache.end()) {
    const QString name = QString::fromStdString(face);
    it = cache.emplace(face, QFontDatabase::hasFamily(name) ? name : QString(QtCanvas::kFallbackFace)).first;
  }
  return it->second;
}

QBrush ToQBrush(const Brush& brush) {
  switch (brush.style) {
    case BrushStyle::Null: return Qt::NoBrush;
    case BrushStyle::Solid: return QBrush(ToQColor(brush.color));
    case BrushStyle::Pattern: {
      QImage tile(2, 2, QImage::Format_RGB32);
      for (int i = 0; i < 4; ++i) tile.setPixelColor(i % 2, i / 2, ToQColor(brush.pattern[i]));
      return QBrush(tile);
    }
  }
  return Qt::NoBrush;
}

}  // namespace


QFont QtCanvas::ToQFont(const FontSpec& spec) {
  QFont font;
  font.setFamilies({ResolveFace(spec.face), QString(kFallbackFace)});
  font.setPixelSize(std::max(1, std::abs(spec.height)));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(spec.weight, 100, 900)));
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QtCanvas::QtCanvas(QImage& target, int dpi, bool printer) : image_(target), dpi_(dpi), printer_(printer) {
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

QtCanvas::~QtCanvas() { painter_.end(); }

void QtCanvas::SetOrigin(Point origin) {
  origin_ = origin;
  painter_.resetTransform();
  painter_.translate(origin.x, origin.y);
  painter_.setBrushOrigin(-origin.x, -origin.y);  // patterns stay aligned to the target
}

void QtCanvas::SetMixMode(MixMode mode) {
  painter_.setCompositionMode(mode == MixMode::Mask ? QPainter::RasterOp_SourceAndDestination
                                                    : QPainter::CompositionMode_SourceOver);
}

double QtCanvas::Select(const Pen& pen, const Brush& brush) {
  painter_.setBrush(ToQBrush(brush));
  if (pen.style == PenStyle::Null) {
    painter_.setPen(Qt::NoPen);
    return 0;
  }
  const int width = std::max(1, pen.width);
  QPen qpen(ToQColor(pen.color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter_.setPen(qpen);
  return width / 2.0;
}

void QtCanvas::Rectangle(const IntRect& r, const Pen& pen, const Brush& brush) {
  if (r.IsEmpty()) return;
  if (brush.style != BrushStyle::Null) painter_.fillRect(ToQRect(r), ToQBrush(brush));
  if (pen.style == PenStyle::Null) return;
  const double inset = Select(pen, Brush::None());
  painter_.drawRect(QRectF(r.left + inset, r.top + inset, r.Width() - 2 * inset, r.Height() - 2 * inset));
}

void QtCanvas::RoundRect(const IntRect& r, int cornerW, int cornerH, const Pen& pen, const Brush& brush) {
  if (r.IsEmpty()) return;
  const double inset = Select(pen, brush);
  painter_.drawRoundedRect(QRectF(r.left + inset, r.top + inset, r.Width() - 2 * inset, r.Height() - 2 * inset),
                           cornerW / 2.0, cornerH / 2.0);
}

void QtCanvas::Ellipse(const IntRect& r, const Pen& pen, const Brush& brush) {
  if (r.IsEmpty()) return;
  const double inset = Select(pen, brush);
  painter_.drawEllipse(QRectF(r.left + inset, r.top + inset, r.Width() - 2 * inset, r.Height() - 2 * inset));
}

void QtCanvas::Line(Point a, Point b, const Pen& pen) {
  if (pen.style == PenStyle::Null) return;
  if (a == b && pen.width > 1) {
    // A dot as wide as the pen.
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(pen.color));
    const double half = pen.width / 2.0;
    painter_.drawEllipse(QRectF(a.x + 0.5 - half, a.y + 0.5 - half, pen.width, pen.width));
    return;
  }
  Select(pen, Brush::None());
  painter_.drawLine(QPointF(a.x + 0.5, a.y + 0.5), QPointF(b.x + 0.5, b.y + 0.5));
}

void QtCanvas::Polygon(std::span<const Point> points, const Pen& pen, const Brush& brush) {
  QPolygon polygon;
  polygon.reserve(static_cast<int>(points.size()));
  for (const Point& p : points) polygon << ToQPoint(p);
  Select(pen, brush);
  painter_.drawPolygon(polygon);
}

void QtCanvas::FrameRect(const IntRect& r, CanvasColor color) {
  if (r.IsEmpty()) return;
  const QColor c = ToQColor(color);
  painter_.fillRect(QRect(r.left, r.top, r.Width(), 1), c);
  painter_.fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), c);
  painter_.fillRect(QRect(r.left, r.top, 1, r.Height()), c);
  painter_.fillRect(QRect(r.right - 1, r.top, 1, r.Height()), c);
}

const QFont& QtCanvas::FontFor(const FontSpec& spec) {
  if (!haveFont_ || !(spec == lastSpec_)) {
    lastSpec_ = spec;
    lastFont_ = ToQFont(spec);
    haveFont_ = true;
  }
  return lastFont_;
}

void QtCanvas::DrawText(const IntRect& r, std::string_view utf8, const FontSpec& font, CanvasColor color,
                        unsigned flags) {
  if (r.IsEmpty() || utf8.empty()) return;
  const QFont& qfont = FontFor(font);
  painter_.setFont(qfont);
  painter_.setPen(ToQColor(color));
  int qflags = (flags & text::kVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
  const unsigned align = flags & 0x3;
  qflags |= align == text::kCenter ? Qt::AlignHCenter : align == text::kRight ? Qt::AlignRight : Qt::AlignLeft;
  QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  if (flags & text::kSingleLine) {
    qflags |= Qt::TextSingleLine;
    if (flags & text::kEndEllipsis) s = QFontMetrics(qfont).elidedText(s, Qt::ElideRight, r.Width());
  } else if (flags & text::kWordBreak) {
    qflags |= Qt::TextWordWrap;
  }
  painter_.drawText(ToQRect(r), qflags, s);  // clips to the rectangle (no Qt::TextDontClip)
}

Size QtCanvas::TextExtent(std::string_view utf8, const FontSpec& font) {
  const QFontMetrics metrics(FontFor(font));
  const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return {metrics.horizontalAdvance(s), metrics.height()};
}

void QtCanvas::DrawKeyed(const QImage& image, const QRect& part, const IntRect& dest, CanvasColor key) {
  if (key == kNoCanvasColor) {
    painter_.drawImage(ToQRect(dest), image, part);
    return;
  }
  QImage keyed = image.copy(part).convertToFormat(QImage::Format_ARGB32);
  const QRgb match = ToQColor(key).rgb() & 0x00FFFFFF;
  for (int y = 0; y < keyed.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x)
      if ((line[x] & 0x00FFFFFF) == match) line[x] = 0;
  }
  painter_.drawImage(ToQRect(dest), keyed);
}

bool QtCanvas::DrawPicture(const Picture& picture, const IntRect& dest, CanvasColor transparentKey) {
  const auto* qt = dynamic_cast<const QtPicture*>(&picture);
  if (!qt || qt->Image().isNull()) return false;
  if (!dest.IsEmpty()) DrawKeyed(qt->Image(), qt->Image().rect(), dest, transparentKey);
  return true;
}

bool QtCanvas::CopyFrom(const Canvas& source, const IntRect& from, const IntRect& dest, CanvasColor transparentKey) {
  const auto* qt = dynamic_cast<const QtCanvas*>(&source);
  if (!qt || qt->image_.isNull()) return false;
  if (!dest.IsEmpty() && !from.IsEmpty()) DrawKeyed(qt->image_, ToQRect(from), dest, transparentKey);
  return true;
}

IntRect QtCanvas::VisibleBounds() const {
  return {-origin_.x, -origin_.y, image_.width() - origin_.x, image_.height() - origin_.y};
}

}  // namespace plume::platform
