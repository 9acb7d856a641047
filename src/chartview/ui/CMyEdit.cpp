#include "chartview/ui/CMyEdit.h"
#include "platform/qt/QtConvert.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextOption>

#include <cstdlib>

namespace plume::chartview {

using platform::ToQColor;

namespace {


Qt::Alignment ToAlignment(int align) {
  switch (align) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

}  // namespace

CMyEdit::CMyEdit(QWidget* viewport) : QTextEdit(viewport) {
  setObjectName(QStringLiteral("CMyEdit%1").arg(kEditorId));
  setAcceptRichText(false);
  setFrameShape(QFrame::NoFrame);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setViewportMargins(0, 0, 0, 0);
  document()->setDocumentMargin(0);
  setTabChangesFocus(false);
  hide();
}

void CMyEdit::Place(const platform::IntRect& box) {
  setGeometry(box.left, box.top, std::max(box.Width(), 1), std::max(box.Height(), 1));
}

void CMyEdit::OpenEditor(const EditorSetup& setup) {
  QFont font(QString::fromStdString(setup.font.face));
  font.setPixelSize(std::max(std::abs(setup.font.height), 1));
  font.setWeight(setup.font.weight >= 700 ? QFont::Bold : QFont::Normal);
  setFont(font);
  document()->setDefaultFont(font);

  transparent_ = setup.background == document::kNoColor;
  QPalette pal = palette();
  pal.setColor(QPalette::Text, ToQColor(setup.textColor));
  pal.setColor(QPalette::Base, transparent_ ? QColor(Qt::transparent) : ToQColor(setup.background));
  setPalette(pal);
  viewport()->setAutoFillBackground(!transparent_);
  setAttribute(Qt::WA_TranslucentBackground, transparent_);

  setLineWrapMode(setup.wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(ToAlignment(setup.align));
  option.setWrapMode(setup.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  document()->setDefaultTextOption(option);

  setPlainText(QString::fromStdString(setup.text));
  // Every paragraph takes the item's alignment (typed ones inherit it).
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  QTextBlockFormat block;
  block.setAlignment(ToAlignment(setup.align));
  all.mergeBlockFormat(block);

  Place(setup.box);
  show();
  raise();
  const QPoint local(setup.caret.x - setup.box.left, setup.caret.y - setup.box.top);
  setTextCursor(cursorForPosition(local));
  setFocus(Qt::MouseFocusReason);
}

std::string CMyEdit::EditorText() const { return toPlainText().toStdString(); }

void CMyEdit::CloseEditor() {
  if (tracking_) {
    viewport()->releaseMouse();
    tracking_ = nullptr;
  }
  const bool hadFocus = hasFocus();
  hide();
  clear();
  if (hadFocus && parentWidget()) {
    QWidget* view = parentWidget()->parentWidget() ? parentWidget()->parentWidget() : parentWidget();
    view->setFocus(Qt::OtherFocusReason);
  }
}

void CMyEdit::MoveEditor(const platform::IntRect& box) {
  Place(box);
  setFocus(Qt::OtherFocusReason);
}

void CMyEdit::ShowBoxFeedback(const platform::IntRect& box) { Place(box); }

void CMyEdit::TrackPointer(std::function<void(platform::Point, bool)> report) {
  if (trackPointer) {
    trackPointer(std::move(report));
    return;
  }
  tracking_ = std::move(report);
  viewport()->grabMouse();
}

platform::Point CMyEdit::ToClient(const QPoint& local) const {
  // Mouse events reach the editor through its viewport, in viewport coordinates.
  const QPoint p = viewport()->mapTo(parentWidget(), local);
  return {p.x(), p.y()};
}

void CMyEdit::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_) {
    QTextEdit::mouseMoveEvent(event);
    return;
  }
  tracking_(ToClient(event->position().toPoint()), false);
}

void CMyEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (!tracking_) {
    QTextEdit::mouseReleaseEvent(event);
    return;
  }
  const auto report = std::move(tracking_);
  tracking_ = nullptr;
  viewport()->releaseMouse();
  report(ToClient(event->position().toPoint()), true);
}

}  // namespace plume::chartview
