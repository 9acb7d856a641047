#pragma once
// The abstract input events the view controller takes. The widget translates
// its toolkit events into these; points are client pixels.

#include "platform/CanvasTypes.h"

namespace plume::chartview {

/// Button and modifier bits of a mouse event, combined into one word; the
/// click rules compare the whole word (left + Ctrl = 9, left + Shift = 5).
namespace mouse {
inline constexpr int kLeft = 0x01;
inline constexpr int kRight = 0x02;
inline constexpr int kShift = 0x04;
inline constexpr int kCtrl = 0x08;
inline constexpr int kMiddle = 0x10;
}  // namespace mouse

struct MouseEvent {
  platform::Point point;   ///< client pixels
  int flags = 0;           ///< buttons held and modifiers (mouse::k...)
  platform::Point global;  ///< position on the display (tab bar hit tests)
};

/// A wheel turn: `forward` is away from the user.
struct WheelEvent {
  platform::Point point;  ///< client pixels
  int flags = 0;          ///< buttons held and modifiers (mouse::k...)
  bool forward = false;
};

enum class Key { Left, Right, Up, Down, Delete, A, C, E, V, W, Other };

struct KeyEvent {
  Key key = Key::Other;
  bool ctrl = false;
};

}  // namespace plume::chartview
