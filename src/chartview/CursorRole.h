#pragma once

namespace plume::chartview {

/// The pointer shapes of the chart view; the widget maps each role to its image.
enum class CursorRole {
  Arrow,
  Move,
  NotHere,
  Node,
  Slip,
  Link,
  PageRightEdge,
  PageBottomEdge,
  Dial,
  DialKnob,
  Pick,
  SizeDownRight,  ///< handles 0 and 2
  SizeUpRight,    ///< handles 1 and 3
  SizeVertical,   ///< handles 4 and 6
  SizeHorizontal  ///< handles 5 and 7
};

/// The sizing cursor of resize handle 0..7.
constexpr CursorRole HandleCursor(int handle) {
  switch (handle) {
    case 0: case 2: return CursorRole::SizeDownRight;
    case 1: case 3: return CursorRole::SizeUpRight;
    case 4: case 6: return CursorRole::SizeVertical;
    default: return CursorRole::SizeHorizontal;
  }
}

}  // namespace plume::chartview
