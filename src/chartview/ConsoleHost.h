#pragma once
// What the zoom console asks of the window it is drawn in: the erasable frame
// that follows a console drag and the status bar panes. Repaints and the
// modified mark go through the document's changes. Fully abstract.

#include <string_view>

#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ConsoleHost {
 public:
  virtual ~ConsoleHost() = default;
  /// Draws a one-pixel frame of `color` along the inside of `client` as
  /// erasable feedback; the frame on screen, if any, is erased first. Never
  /// repaints the page.
  virtual void DrawDragFrame(const platform::IntRect& client, platform::CanvasColor color) = 0;
  /// Restores what the drag frame covered; nothing when none is shown.
  virtual void EraseDragFrame() = 0;
  /// Empties the position and size panes of the status bar.
  virtual void ClearItemPanes() = 0;
  /// Writes the zoom pane of the status bar ("125%", UTF-8).
  virtual void ShowZoomPane(std::string_view text) = 0;
};

}  // namespace plume::chartview
