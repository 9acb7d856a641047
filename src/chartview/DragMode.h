#pragma once

namespace plume::chartview {

/// What a left-button drag in the chart view is doing; at most one at a time.
enum class DragMode {
  None,
  RubberBand,
  MoveNodes,
  MoveSlips,
  ResizeNodes,
  ResizeSlips,
  PageWidth,
  PageHeight,
  DialTurn,
  DialRadius
};

}  // namespace plume::chartview
