#include "chartview/ui/QtControllerHost.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTimer>

#include "chartview/ui/CTesselView.h"
#include "chartview/ui/ContextMenuLayout.h"
#include "platform/qt/BalloonTip.h"
#include "platform/qt/QtConvert.h"

namespace plume::chartview {

using platform::ToQColor;
using platform::FromUtf8;

namespace {



Qt::CursorShape ShapeOf(CursorRole role) {
  switch (role) {
    case CursorRole::Arrow: return Qt::ArrowCursor;
    case CursorRole::Move: return Qt::SizeAllCursor;
    case CursorRole::NotHere: return Qt::ForbiddenCursor;
    case CursorRole::Node: return Qt::PointingHandCursor;
    case CursorRole::Slip: return Qt::OpenHandCursor;
    case CursorRole::Link: return Qt::DragLinkCursor;
    case CursorRole::PageRightEdge: return Qt::SplitHCursor;
    case CursorRole::PageBottomEdge: return Qt::SplitVCursor;
    case CursorRole::Dial: return Qt::CrossCursor;
    case CursorRole::DialKnob: return Qt::ClosedHandCursor;
    case CursorRole::Pick: return Qt::WhatsThisCursor;
    case CursorRole::SizeDownRight: return Qt::SizeFDiagCursor;
    case CursorRole::SizeUpRight: return Qt::SizeBDiagCursor;
    case CursorRole::SizeVertical: return Qt::SizeVerCursor;
    case CursorRole::SizeHorizontal: return Qt::SizeHorCursor;
  }
  return Qt::ArrowCursor;
}

QIcon Swatch(document::ColorRef colour) {
  QPixmap picture(16, 16);
  picture.fill(ToQColor(colour));
  QPainter painter(&picture);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, 15, 15);
  return QIcon(picture);
}

/// Erasable shapes drawn inverting what is under them, so they show on any
/// colour: a dashed outline for a moved item, a dotted rubber band.
void DrawShape(QPainter& painter, FeedbackShape shape, const QRect& r) {
  painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  if (shape == FeedbackShape::Band) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
  } else {
    painter.setPen(QPen(Qt::black, 2, Qt::DashLine));
  }
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

QtControllerHost::~QtControllerHost() = default;

void QtControllerHost::RepaintRect(const platform::IntRect& client) {
  // The page is painted whole into the back buffer; only the window area changes.
  (void)client;
  widget_.Repaint(false);
}

void QtControllerHost::DrawFeedback(FeedbackShape shape, const platform::IntRect& client) {
  const QRect r(client.left, client.top, client.Width(), client.Height());
  const QRect area = r.adjusted(-2, -2, 2, 2);
  widget_.ShowFeedback(area, [shape, r](QPainter& painter) { DrawShape(painter, shape, r); });
}

void QtControllerHost::EraseFeedback() { widget_.EraseFeedback(); }

void QtControllerHost::SetFeedbackLabel(std::string_view text, platform::Point client) {
  widget_.SetFeedbackLabel(FromUtf8(text), platform::ToQPoint(client));
}

void QtControllerHost::SetCursor(CursorRole role) {
  cursor_ = role;
  widget_.viewport()->setCursor(ShapeOf(role));
}

void QtControllerHost::CaptureMouse() {
  // Qt sends a pressed button's moves to the view until the release, over
  // the page tabs too; a grab while hovering would only take the clicks
  // meant for the other windows.
}

void QtControllerHost::ReleaseMouse() {}

void QtControllerHost::TakeFocus() {
  // A window inside the view (the in-place editor) keeps the keys it has.
  const QWidget* focused = QApplication::focusWidget();
  if (widget_.hasFocus() || (focused && widget_.isAncestorOf(focused))) return;
  widget_.setFocus(Qt::MouseFocusReason);
}

int QtControllerHost::ShowContextMenu(const ContextMenu& menu, platform::Point client) {
  QMenu root(&widget_);
  std::vector<QMenu*> open{&root};
  for (const MenuEntry& entry : ContextMenuLayout::Entries(menu.id)) {
    QMenu* current = open.back();
    switch (entry.kind) {
      case MenuEntry::Kind::Separator: current->addSeparator(); break;
      case MenuEntry::Kind::SubmenuBegin: open.push_back(current->addMenu(FromUtf8(entry.caption))); break;
      case MenuEntry::Kind::SubmenuEnd:
        if (open.size() > 1) open.pop_back();
        break;
      case MenuEntry::Kind::Item: {
        QAction* action = current->addAction(FromUtf8(entry.caption));
        action->setData(entry.command);
        if (entry.swatch != document::kNoColor) action->setIcon(Swatch(entry.swatch));
        const MenuItemState* state = menu.Find(entry.command);
        // The view's own commands and the rubber band's choices follow the
        // menu's rules alone; the frame's commands must also be available.
        const bool own = menu.id == MenuId::Sel || widget_.HasViewCommand(entry.command);
        bool enabled = state ? state->enabled : true;
        if (!own) enabled = enabled && widget_.Frame().CommandEnabled(entry.command);
        action->setEnabled(enabled);
        if (state && state->checked) {
          action->setCheckable(true);
          action->setChecked(true);
        }
        break;
      }
    }
  }
  const QPoint global = widget_.viewport()->mapToGlobal(platform::ToQPoint(client));
  QAction* chosen = widget_.RunMenu(root, global);
  if (!chosen || !chosen->isEnabled()) return 0;
  return chosen->data().toInt();
}

MenuFacts QtControllerHost::QueryMenuFacts() {
  MenuFacts facts;
  if (const QMimeData* data = QApplication::clipboard()->mimeData()) {
    facts.clipboardHasBitmap = data->hasImage();
    facts.clipboardHasText = data->hasText();
  }
  facts.consoleAlwaysShown = widget_.ConsoleAlwaysShown();
  widget_.Frame().CompleteMenuFacts(facts);
  return facts;
}

void QtControllerHost::RunCommand(int command) {
  if (widget_.RunViewCommand(command)) return;
  widget_.Frame().RunCommand(command);
}

void QtControllerHost::SetTooltip(std::string_view text) {
  platform::BalloonTip::For(*widget_.viewport()).ShowText(FromUtf8(text), QCursor::pos());
}

void QtControllerHost::SetStatusText(std::string_view text) {
  widget_.Frame().ShowStatusText(text);
}

void QtControllerHost::SetPointerPane(std::string_view text) {
  widget_.Frame().ShowPointerPane(text);
}

void QtControllerHost::StartTimer(int id, int milliseconds) {
  QTimer*& timer = timers_[id];
  if (!timer) {
    timer = new QTimer(&widget_);
    QObject::connect(timer, &QTimer::timeout, &widget_, [this, id] { widget_.Controller().Timer(id); });
  }
  timer->start(milliseconds);
}

void QtControllerHost::StopTimer(int id) {
  if (const auto it = timers_.find(id); it != timers_.end() && it->second) it->second->stop();
}

document::ColorRef QtControllerHost::PixelAt(platform::Point client) {
  const QRgb pixel = widget_.PixelUnderFeedback(platform::ToQPoint(client));
  return document::Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

int QtControllerHost::TabAt(platform::Point global) {
  return widget_.Frame().TabAt(global);
}

int QtControllerHost::TabBandHeight() { return widget_.Frame().TabBandHeight(); }

void QtControllerHost::PageShown() {
  widget_.Frame().PageShown();
  widget_.ShowCurrentPage();
}

bool QtControllerHost::CanScrollVertically() { return widget_.verticalScrollBar()->maximum() > 0; }

void QtControllerHost::ScrollBy(int dx, int dy) {
  if (dx != 0) widget_.horizontalScrollBar()->setValue(widget_.horizontalScrollBar()->value() + dx);
  if (dy != 0) widget_.verticalScrollBar()->setValue(widget_.verticalScrollBar()->value() + dy);
}


}  // namespace plume::chartview
