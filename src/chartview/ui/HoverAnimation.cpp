#include "chartview/ui/HoverAnimation.h"

#include <QPainter>
#include <QTimer>

#include "chartview/CoordinateMapping.h"
#include "platform/qt/QtConvert.h"

namespace plume::chartview {

HoverAnimation::HoverAnimation(QObject* parent, ChartView& view, OverlaySurface& surface)
    : QObject(parent), view_(view), surface_(surface) {
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, [this] { Step(); });
}

QRect HoverAnimation::ItemRect() const {
  const document::ChartDocument& doc = view_.Document();
  if (index_ < 0 || doc.header.pageCount == 0 || index_ >= doc.ItemCount(kind_) ||
      doc.ItemPageId(kind_, index_) != doc.CurrentPage().pageId)
    return {};
  const platform::IntRect screen = PageToScreen(doc.ItemRect(kind_, index_), view_.Zoom());
  const platform::Point scroll = view_.Scroll();
  return QRect(screen.left - scroll.x, screen.top - scroll.y, screen.Width(), screen.Height());
}

void HoverAnimation::PointerAt(ViewController& controller, QPoint client, int trails) {
  if (trails <= 0) return Stop();
  const ViewController::HoverItem target = controller.AnimationTarget({client.x(), client.y()});
  if (animation_.Running() && (target.index != index_ || target.kind != kind_)) Stop();
  if (animation_.Running() || target.index < 0) return;
  kind_ = target.kind;
  index_ = target.index;
  const QRect item = ItemRect();
  animation_.Start(item.width(), item.height(), trails);
  timer_->start(PointerAnimation::kTickMilliseconds);
  Step();
}

void HoverAnimation::Step() {
  const QRect item = ItemRect();
  if (!animation_.Running() || item.isEmpty()) return Stop();
  animation_.Advance();
  const int pen = PointerAnimation::PenWidth(view_.Zoom());
  const platform::Size reach = animation_.Reach();
  const QPoint centre = item.center();
  const QRect area(centre.x() - reach.cx - pen, centre.y() - reach.cy - pen, 2 * (reach.cx + pen) + 1,
                   2 * (reach.cy + pen) + 1);
  const std::vector<PointerAnimation::Dot> dots = animation_.Dots();
  surface_.ShowShape(area, [dots, centre, pen](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PointerAnimation::Dot& dot : dots) {
      painter.setPen(QPen(platform::ToQColor(dot.colour), pen, Qt::SolidLine, Qt::RoundCap));
      painter.drawPoint(centre + QPoint(dot.at.x, dot.at.y));
    }
  });
}

void HoverAnimation::Stop() {
  if (!animation_.Running() && index_ < 0) return;
  animation_.Stop();
  timer_->stop();
  index_ = -1;
  surface_.EraseShape();
}

}  // namespace plume::chartview
