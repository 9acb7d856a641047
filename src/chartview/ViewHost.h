#pragma once
// What the chart view asks of the window that shows it: the scroll extent,
// the zoom console's picture and the status panes. Repaints and the modified
// mark go through the document's changes. Fully abstract: the Qt widget
// implements every call; a view that only paints pages (export, print, the
// tool) takes WindowlessHost.

#include <string_view>

#include "platform/Canvas.h"

namespace plume::chartview {

class ViewHost {
 public:
  virtual ~ViewHost() = default;
  /// Sets the scrollable size in screen pixels.
  virtual void SetScrollExtent(platform::Size extent) = 0;
  /// Rebuilds the zoom console's picture for a new zoom and updates the zoom pane.
  virtual void RebuildConsole() = 0;
  /// Draws the zoom console over the chart (client pixels) when it is shown.
  virtual void DrawConsole(platform::Canvas& canvas) = 0;
  /// Writes the position and size panes of the status bar (UTF-8).
  virtual void ShowStatusPanes(std::string_view position, std::string_view size) = 0;
};

/// The host of a view that has no window: pages are painted for export,
/// printing or the tool, and there is nothing to scroll, no console and no
/// status bar.
class WindowlessHost final : public ViewHost {
 public:
  void SetScrollExtent(platform::Size) override {}
  void RebuildConsole() override {}
  void DrawConsole(platform::Canvas&) override {}
  void ShowStatusPanes(std::string_view, std::string_view) override {}
};

}  // namespace plume::chartview
