#include "chartview/ui/QtInputEvents.h"

namespace plume::chartview {

int MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  int flags = 0;
  if (buttons & Qt::LeftButton) flags |= mouse::kLeft;
  if (buttons & Qt::RightButton) flags |= mouse::kRight;
  if (buttons & Qt::MiddleButton) flags |= mouse::kMiddle;
  if (modifiers & Qt::ShiftModifier) flags |= mouse::kShift;
  if (modifiers & Qt::ControlModifier) flags |= mouse::kCtrl;
  return flags;
}

MouseEvent ToMouseEvent(const QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const QPoint global = event->globalPosition().toPoint();
  return {{at.x(), at.y()}, MouseFlags(event->buttons(), event->modifiers()), {global.x(), global.y()}};
}

Key ToKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_A: return Key::A;
    case Qt::Key_C: return Key::C;
    case Qt::Key_E: return Key::E;
    case Qt::Key_V: return Key::V;
    case Qt::Key_W: return Key::W;
    default: return Key::Other;
  }
}

}  // namespace plume::chartview
