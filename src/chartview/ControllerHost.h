#pragma once
// What the view controller asks of the window it runs in: repaints, the
// erasable drag feedback, cursors and mouse capture, context menus, the
// tooltip and status texts, timers, the page tab bar and the commands it
// hands on. Full repaints and the modified mark go through the document's
// changes. Fully abstract: the Qt widget's host implements every call, and
// tests start from the do-nothing host of their support code.

#include <string>
#include <string_view>

#include "chartview/ContextMenu.h"
#include "chartview/CursorRole.h"
#include "document/ChartRecords.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

/// Shape of the erasable feedback drawn over the page during a drag.
enum class FeedbackShape {
  Outline,  ///< the moved item's outline
  Band      ///< the rubber band
};

/// Outside facts the VIEW menu's enabling depends on.
struct MenuFacts {
  /// Type word of the page in the HTML area ("HTML", "PDF", empty for none);
  /// filled by the browser when it reports its page type.
  std::string htmlTypeWord;
  bool clipboardHasBitmap = false;
  bool clipboardHasText = false;
  bool consoleAlwaysShown = false;
};

class ControllerHost {
 public:
  virtual ~ControllerHost() = default;

  /// Repaints the part of the view under `client` (client pixels).
  virtual void RepaintRect(const platform::IntRect& client) = 0;
  /// Draws the erasable feedback shape (client pixels); the one on screen, if
  /// any, is erased first by restoring what was under it. Never repaints the page.
  virtual void DrawFeedback(FeedbackShape shape, const platform::IntRect& client) = 0;
  /// Restores what the feedback shape covered; nothing when none is shown.
  virtual void EraseFeedback() = 0;
  /// A short text (UTF-8) drawn with its top-left at `client` as part of the
  /// feedback shapes drawn after it, such as the new page size beside the
  /// pointer; empty for none. Erasing the feedback drops it.
  virtual void SetFeedbackLabel(std::string_view text, platform::Point client) = 0;

  virtual void SetCursor(CursorRole role) = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  /// Gives the view the keyboard focus when it does not have it.
  virtual void TakeFocus() = 0;

  /// Shows a context menu at `client` and returns the command chosen, 0 for none.
  virtual int ShowContextMenu(const ContextMenu& menu, platform::Point client) = 0;
  virtual MenuFacts QueryMenuFacts() = 0;
  /// Runs a command of the view's command table (delete, select all, paste, ...).
  virtual void RunCommand(int command) = 0;

  /// Shows the view's tooltip (UTF-8, at most 512 pixels wide); an empty text hides it.
  virtual void SetTooltip(std::string_view text) = 0;
  /// The status bar message text (UTF-8); empty clears it.
  virtual void SetStatusText(std::string_view text) = 0;
  /// The status bar pane with the pointer position ("x, y" in page units or empty).
  virtual void SetPointerPane(std::string_view text) = 0;

  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;

  /// Colour 0x00BBGGRR of the window pixel under `client`.
  virtual document::ColorRef PixelAt(platform::Point client) = 0;
  /// The page tab under `global` (display coordinates), -1 for none.
  virtual int TabAt(platform::Point global) = 0;
  /// Height of the band at the bottom of the view that is as tall as a page tab.
  virtual int TabBandHeight() = 0;
  /// The current page changed: repaint it at the view's scroll position and
  /// update the tab bar and scroll range.
  virtual void PageShown() = 0;
  /// Whether the view can scroll vertically, and scrolling by screen pixels.
  virtual bool CanScrollVertically() = 0;
  virtual void ScrollBy(int dx, int dy) = 0;

};

}  // namespace plume::chartview
