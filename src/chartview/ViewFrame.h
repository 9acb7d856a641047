#pragma once
// What the chart view asks of the main window around it: the status bar, the
// page tabs, the frame's commands and their state, the facts of the VIEW
// menu the view does not know, and the pointer animation's switch. Fully
// abstract: the main window implements every call; tests use the recording
// frame of their support code.

#include <string_view>

#include "chartview/ControllerHost.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ViewFrame {
 public:
  virtual ~ViewFrame() = default;
  /// The position and size panes of the status bar (UTF-8; empty clears).
  virtual void ShowItemPanes(std::string_view position, std::string_view size) = 0;
  /// The zoom pane ("125%").
  virtual void ShowZoomPane(std::string_view text) = 0;
  /// The status bar message; empty clears it.
  virtual void ShowStatusText(std::string_view text) = 0;
  /// The pointer position pane ("x, y" in page units, or empty).
  virtual void ShowPointerPane(std::string_view text) = 0;
  /// Index of the page tab under `global` (display coordinates), -1 for none.
  virtual int TabAt(platform::Point global) = 0;
  /// Height of the band at the bottom of the view taken by page tabs (0: none).
  virtual int TabBandHeight() = 0;
  /// The current page was switched by a drag or a marker: update the tabs;
  /// the view shows the page itself.
  virtual void PageShown() = 0;
  /// Runs a command of the frame (delete, select all, paste, ...).
  virtual void RunCommand(int id) = 0;
  /// Whether the frame can run command `id` now; menu items are greyed otherwise.
  virtual bool CommandEnabled(int id) = 0;
  /// Adds the frame's facts (the HTML area's page type) to those the view knows.
  virtual void CompleteMenuFacts(MenuFacts& facts) = 0;
  /// Trails of the pointer animation, 0 for off.
  virtual int PointerTrails() = 0;
};

}  // namespace plume::chartview
