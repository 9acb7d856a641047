#pragma once
// What the chart view asks of the window that shows it (the Qt widget in the
// program, a fake in tests). Every call has a do-nothing default.

#include <string_view>

#include "platform/Canvas.h"

namespace plume::chartview {

class ViewHost {
 public:
  virtual ~ViewHost() = default;
  /// Requests a full repaint; `erase` clears the window first (after a zoom change).
  virtual void Repaint(bool erase) { (void)erase; }
  /// Sets the scrollable size in screen pixels.
  virtual void SetScrollExtent(platform::Size extent) { (void)extent; }
  /// Rebuilds the zoom console's picture for a new zoom and updates the zoom pane.
  virtual void RebuildConsole() {}
  /// Draws the zoom console over the chart (client pixels) when it is shown.
  virtual void DrawConsole(platform::Canvas& canvas) { (void)canvas; }
  /// Writes the position and size panes of the status bar (UTF-8).
  virtual void ShowStatusPanes(std::string_view position, std::string_view size) {
    (void)position;
    (void)size;
  }
  /// Marks the document modified.
  virtual void MarkModified() {}
};

}  // namespace plume::chartview
