#pragma once
// The chart area's back buffer as the pointer animation draws on it: one
// erasable shape at a time, shown in the window at once and erased by putting
// back the pixels it covered, so the page is never painted again for it.

#include <QRect>

#include "chartview/ui/BackBufferOverlay.h"

namespace plume::chartview {

class OverlaySurface {
 public:
  /// Erases the shape shown, runs `draw` over `area` (client pixels) of the
  /// back buffer and shows the pixels that changed.
  virtual void ShowShape(const QRect& area, BackBufferOverlay::Draw draw) = 0;
  /// Puts back the pixels under the shape and shows them; nothing when no
  /// shape is shown.
  virtual void EraseShape() = 0;

 protected:
  ~OverlaySurface() = default;
};

}  // namespace plume::chartview
