#pragma once
// Qt's input events as the view controller's plain events: the only place
// where the chart area translates mouse buttons, modifiers and keys.

#include <QMouseEvent>

#include "chartview/ControllerEvents.h"

namespace plume::chartview {

/// Buttons held and modifiers as the controller's flag word.
int MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
/// A mouse event: client and display position, buttons held and modifiers.
MouseEvent ToMouseEvent(const QMouseEvent* event);
/// The controller's key for a Qt key; Key::Other for keys the view does not handle.
Key ToKey(int qtKey);

}  // namespace plume::chartview
