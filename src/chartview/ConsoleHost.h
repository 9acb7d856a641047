#pragma once
// What the zoom console asks of the window it is drawn in: repaints, the
// erasable frame that follows a console drag, the status bar panes and the
// modified mark. Every call has a do-nothing default.

#include <string_view>

#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ConsoleHost {
 public:
  virtual ~ConsoleHost() = default;
  /// Full repaint of the view (the console is drawn by the paint).
  virtual void Repaint() {}
  /// Draws a one-pixel frame of `color` along the inside of `client` as
  /// erasable feedback; the frame on screen, if any, is erased first. Never
  /// repaints the page.
  virtual void DrawDragFrame(const platform::IntRect& client, platform::CanvasColor color) {
    (void)client;
    (void)color;
  }
  /// Restores what the drag frame covered; nothing when none is shown.
  virtual void EraseDragFrame() {}
  /// Empties the position and size panes of the status bar.
  virtual void ClearItemPanes() {}
  /// Writes the zoom pane of the status bar ("125%", UTF-8).
  virtual void ShowZoomPane(std::string_view text) { (void)text; }
  /// Marks the document modified.
  virtual void MarkModified() {}
};

}  // namespace plume::chartview
