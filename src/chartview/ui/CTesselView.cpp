#include "chartview/ui/CTesselView.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <string>

#include "chartview/CoordinateMapping.h"
#include "chartview/InlineEditor.h"
#include "chartview/ui/HoverAnimation.h"
#include "chartview/ui/QtInputEvents.h"
#include "commands/CommandTable.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"

namespace plume::chartview {

namespace {

constexpr int kWheelNotch = 120;  ///< angle delta of one wheel step
constexpr int kLabelPoints = 8;  ///< size of the feedback label's font

}  // namespace

CTesselView::CTesselView(document::ChartDocument& doc, platform::SettingsStore& settings,
                         platform::ScratchSurface* scratch, ViewFrame& frame, QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(doc),
      view_(doc, settings, *this, scratch),
      hooks_(view_, settings),
      host_(*this),
      frame_(frame) {
  setFrameShape(QFrame::NoFrame);
  // Every paint covers the whole viewport from the back buffer.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(10);
  verticalScrollBar()->setSingleStep(10);
  doc_.SetHooks(&hooks_);
  changes_ = doc_.Changes().Subscribe([this](document::Change change) {
    if (change == document::Change::Repaint || change == document::Change::RepaintErased)
      Repaint(change == document::Change::RepaintErased);
  });
  view_.SetClientSize({viewport()->width(), viewport()->height()});
  SetScrollExtent(view_.ScrollExtent());
  MakeController();
  for (int id = ChartView::kCmdZoom100; id <= ChartView::kCmdZoomFit; ++id)
    AddViewCommand(id, [this, id] { view_.RunZoomCommand(id); });
  AddViewCommand(commands::Id(commands::CommandId::ID_TRANS_PICK), [this] { controller_->TogglePick(); });
  animation_ = new HoverAnimation(this, view_, *this);
}

CTesselView::~CTesselView() {
  doc_.SetHooks(nullptr);
  view_.SaveZoomToSettings();
}

void CTesselView::MakeController() {
  controller_ = std::make_unique<ViewController>(view_, host_, console_, editing_);
}

void CTesselView::SetConsolePort(ConsolePort* console) {
  console_ = console ? console : &noConsole_;
  MakeController();
}

void CTesselView::SetEditingPort(EditingPort* editing) {
  editing_ = editing;
  MakeController();
}

bool CTesselView::AnimationRunning() const { return animation_->Running(); }

void CTesselView::AddViewCommand(int id, std::function<void()> run) { viewCommands_[id] = std::move(run); }

bool CTesselView::RunViewCommand(int id) {
  const auto it = viewCommands_.find(id);
  if (it == viewCommands_.end()) return false;
  it->second();
  return true;
}

QAction* CTesselView::RunMenu(QMenu& menu, QPoint global) {
  return menuRunner_ ? menuRunner_(menu, global) : menu.exec(global);
}

void CTesselView::ShowShape(const QRect& area, BackBufferOverlay::Draw draw) {
  viewport()->update(overlay_.Show(back_, area, std::move(draw)));
}

void CTesselView::EraseShape() { viewport()->update(overlay_.Erase(back_)); }

void CTesselView::ShowFeedback(const QRect& area, BackBufferOverlay::Draw draw) {
  const FeedbackLabel label = label_;
  ShowShape(area.united(label.Area()), [draw = std::move(draw), label](QPainter& painter) {
    draw(painter);
    label.Draw(painter);
  });
}

void CTesselView::ShowFeedbackFrame(const platform::IntRect& client, platform::CanvasColor colour, int width) {
  const QRect r = platform::ToQRect(client);
  const QColor pen = platform::ToQColor(colour);
  const int w = std::max(1, width);
  ShowFeedback(r, [r, pen, w](QPainter& painter) {
    // Inside the rectangle: fill each side as a band of the pen width.
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), pen);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), pen);
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), pen);
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), pen);
  });
}

void CTesselView::EraseFeedback() {
  label_ = {};
  EraseShape();
}

void CTesselView::SetFeedbackLabel(const QString& text, QPoint at) {
  label_.text = text;
  if (text.isEmpty()) return;
  label_.font = QFont(QStringLiteral("Meiryo UI"));
  label_.font.setPixelSize(std::max(1, (kLabelPoints * viewport()->logicalDpiY() + 36) / 72));
  const QFontMetrics metrics(label_.font);
  label_.area = QRect(at, QSize(metrics.horizontalAdvance(text) + 2, metrics.height()));
}

void CTesselView::FeedbackLabel::Draw(QPainter& painter) const {
  if (text.isEmpty()) return;
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
  painter.restore();
}

QRect CTesselView::EditorHandlesArea() const {
  if (!editing_ || !editing_->EditorOpen()) return {};
  const platform::IntRect box = editing_->EditorBox();
  if (box.IsEmpty()) return {};
  // From the left-top square's first pixel to the right-bottom square's last.
  const platform::IntRect r = box.Inflated(InlineEditor::kHandleGrowth + InlineEditor::kHandleReach);
  return QRect(r.left, r.top, r.Width() + 1, r.Height() + 1);
}

void CTesselView::DrawEditorHandles(QPainter& painter) {
  editorHandles_ = EditorHandlesArea();
  if (editorHandles_.isEmpty()) return;
  const QColor edge(128, 128, 128);
  const QColor fill(100, 100, 180);
  for (const platform::IntRect& s : InlineEditor::HandleSquares(editing_->EditorBox())) {
    const QRect square(s.left, s.top, s.Width(), s.Height());
    painter.fillRect(square, edge);
    painter.fillRect(square.adjusted(1, 1, -1, -1), fill);
  }
}

void CTesselView::UpdateEditorHandles() {
  const QRect now = EditorHandlesArea();
  if (now == editorHandles_) return;
  viewport()->update(now.united(editorHandles_));
}

void CTesselView::TrackPointer(std::function<void(platform::Point client, bool released)> report) {
  tracker_ = std::move(report);
}

void CTesselView::ShowCurrentPage() {
  SetScrollExtent(view_.ScrollExtent());
  if (doc_.header.pageCount > 0) view_.SetScroll({doc_.CurrentPage().scrollX, doc_.CurrentPage().scrollY});
  Repaint(false);
}

void CTesselView::DocumentShown() {
  animation_->Stop();
  view_.DocumentShown();
}

QPoint CTesselView::ScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CTesselView::ScrollTo(QPoint position) {
  view_.SetScroll({position.x(), position.y()});
  SyncBarsFromView();
  InvalidatePage();
}

void CTesselView::UpdateRanges() {
  const QSize view = viewport()->size();
  const QSignalBlocker blockH(horizontalScrollBar());
  const QSignalBlocker blockV(verticalScrollBar());
  horizontalScrollBar()->setRange(0, std::max(0, extent_.cx - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, extent_.cy - view.height()));
  horizontalScrollBar()->setPageStep(std::max(1, view.width()));
  verticalScrollBar()->setPageStep(std::max(1, view.height()));
  TakeScrollFromBars();
}

void CTesselView::SyncBarsFromView() {
  const platform::Point wanted = view_.Scroll();
  {
    const QSignalBlocker blockH(horizontalScrollBar());
    const QSignalBlocker blockV(verticalScrollBar());
    horizontalScrollBar()->setValue(wanted.x);
    verticalScrollBar()->setValue(wanted.y);
  }
  TakeScrollFromBars();
}

void CTesselView::TakeScrollFromBars() {
  view_.SetScroll({horizontalScrollBar()->value(), verticalScrollBar()->value()});
}

void CTesselView::InvalidatePage() {
  pageDirty_ = true;
  viewport()->update();
}

void CTesselView::Repaint(bool erase) {
  SyncBarsFromView();
  if (erase && !back_.isNull()) back_.fill(Qt::white);
  InvalidatePage();
}

void CTesselView::SetScrollExtent(platform::Size extent) {
  extent_ = extent;
  UpdateRanges();
}

void CTesselView::RebuildConsole() {
  console_->RebuildConsole();
  frame_.ShowZoomPane(std::to_string(view_.ZoomPercent()) + "%");
}

void CTesselView::DrawConsole(platform::Canvas& canvas) { console_->DrawConsole(canvas); }

void CTesselView::ShowStatusPanes(std::string_view position, std::string_view size) {
  frame_.ShowItemPanes(position, size);
}

void CTesselView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  view_.SetClientSize({viewport()->width(), viewport()->height()});
  UpdateRanges();
  InvalidatePage();
}

void CTesselView::scrollContentsBy(int, int) {
  TakeScrollFromBars();
  InvalidatePage();
}

void CTesselView::wheelEvent(QWheelEvent* event) {
  animation_->Stop();
  // Qt may report a Shift turn on the horizontal axis.
  const QPoint angle = event->angleDelta();
  wheelRemainder_ += angle.y() != 0 ? angle.y() : angle.x();
  const int notches = wheelRemainder_ / kWheelNotch;
  wheelRemainder_ -= notches * kWheelNotch;
  event->accept();
  const QPoint at = event->position().toPoint();
  // A forward notch (away from the user) has a positive delta.
  const WheelEvent wheel{{at.x(), at.y()}, MouseFlags(event->buttons(), event->modifiers()), notches > 0};
  for (int n = 0; n < std::abs(notches); ++n) controller_->Wheel(wheel);
}

void CTesselView::mousePressEvent(QMouseEvent* event) {
  animation_->Stop();
  event->accept();
  if (event->button() == Qt::LeftButton) controller_->LeftButtonDown(ToMouseEvent(event));
}

void CTesselView::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (tracker_ && event->button() == Qt::LeftButton) {
    const auto report = std::move(tracker_);
    tracker_ = nullptr;
    const QPoint at = event->position().toPoint();
    report({at.x(), at.y()}, true);
    UpdateEditorHandles();
    return;
  }
  if (event->button() == Qt::LeftButton)
    controller_->LeftButtonUp(ToMouseEvent(event));
  else if (event->button() == Qt::RightButton)
    controller_->RightButtonUp(ToMouseEvent(event));
}

void CTesselView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The in-place editor may open: the animation goes first.
  animation_->Stop();
  event->accept();
  if (event->button() == Qt::LeftButton) controller_->LeftDoubleClick(ToMouseEvent(event));
}

void CTesselView::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (tracker_) {
    const QPoint at = event->position().toPoint();
    tracker_({at.x(), at.y()}, false);
    UpdateEditorHandles();
    return;
  }
  controller_->MouseMove(ToMouseEvent(event));
  if (controller_->Mode() == DragMode::None && event->buttons() == Qt::NoButton)
    animation_->PointerAt(*controller_, event->position().toPoint(), frame_.PointerTrails());
}

bool CTesselView::ClaimsKey(const QKeyEvent& event) const {
  const Key key = ToKey(event.key());
  const bool arrow = key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down;
  return arrow && (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier && controller_->NudgesOnCtrlArrow();
}

void CTesselView::keyPressEvent(QKeyEvent* event) {
  animation_->Stop();
  const KeyEvent key{ToKey(event->key()), (event->modifiers() & Qt::ControlModifier) != 0};
  if (key.key != Key::Other && controller_->KeyDown(key)) {
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CTesselView::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // The mouse's menu comes with the right button's release; the menu key
  // opens it where the pointer is.
  if (event->reason() != QContextMenuEvent::Keyboard) return;
  QPoint at = viewport()->mapFromGlobal(QCursor::pos());
  if (!viewport()->rect().contains(at)) at = viewport()->rect().center();
  const QPoint global = viewport()->mapToGlobal(at);
  controller_->RightButtonUp({{at.x(), at.y()}, mouse::kRight, {global.x(), global.y()}});
}

bool CTesselView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) animation_->Stop();
  return QAbstractScrollArea::viewportEvent(event);
}

void CTesselView::paintEvent(QPaintEvent* event) {
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  if (back_.size() != size) {
    back_ = QImage(size, QImage::Format_RGB32);
    back_.fill(Qt::white);
    overlay_.Forget();
    pageDirty_ = true;
  }
  if (pageDirty_) {
    pageDirty_ = false;
    // A document without pages shows an empty area.
    if (doc_.header.pageCount == 0) back_.fill(Qt::white);
    {
      platform::QtCanvas canvas(back_);
      view_.OnDraw(canvas);
    }
    ++pageRenders_;
    // A shape that was on the old picture goes onto the new one.
    overlay_.Redraw(back_);
  }
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.drawImage(area.topLeft(), back_, area);
  DrawEditorHandles(painter);
}

}  // namespace plume::chartview
