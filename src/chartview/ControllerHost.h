#pragma once
// What the view controller asks of the window it runs in: repaints, the
// erasable drag feedback, cursors and mouse capture, context menus, the
// tooltip and status texts, timers, the page tab bar and the commands it
// hands on. Every call has a harmless default, so a fake overrides only what
// a test looks at.

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

  /// Full repaint of the view.
  virtual void Repaint() {}
  /// Repaints the part of the view under `client` (client pixels).
  virtual void RepaintRect(const platform::IntRect& client) { (void)client; Repaint(); }
  /// Draws the erasable feedback shape (client pixels); the one on screen, if
  /// any, is erased first by restoring what was under it. Never repaints the page.
  virtual void DrawFeedback(FeedbackShape shape, const platform::IntRect& client) {
    (void)shape;
    (void)client;
  }
  /// Restores what the feedback shape covered; nothing when none is shown.
  virtual void EraseFeedback() {}
  /// A short text (UTF-8) drawn with its top-left at `client` as part of the
  /// feedback shapes drawn after it, such as the new page size beside the
  /// pointer; empty for none. Erasing the feedback drops it.
  virtual void SetFeedbackLabel(std::string_view text, platform::Point client) {
    (void)text;
    (void)client;
  }

  virtual void SetCursor(CursorRole role) { (void)role; }
  virtual void CaptureMouse() {}
  virtual void ReleaseMouse() {}
  /// Gives the view the keyboard focus when it does not have it.
  virtual void TakeFocus() {}

  /// Shows a context menu at `client` and returns the command chosen, 0 for none.
  virtual int ShowContextMenu(const ContextMenu& menu, platform::Point client) {
    (void)menu;
    (void)client;
    return 0;
  }
  virtual MenuFacts QueryMenuFacts() { return {}; }
  /// Runs a command of the view's command table (delete, select all, paste, ...).
  virtual void RunCommand(int command) { (void)command; }

  /// Shows the view's tooltip (UTF-8, at most 512 pixels wide); an empty text hides it.
  virtual void SetTooltip(std::string_view text) { (void)text; }
  /// The status bar message text (UTF-8); empty clears it.
  virtual void SetStatusText(std::string_view text) { (void)text; }
  /// The status bar pane with the pointer position ("x, y" in page units or empty).
  virtual void SetPointerPane(std::string_view text) { (void)text; }

  virtual void StartTimer(int id, int milliseconds) {
    (void)id;
    (void)milliseconds;
  }
  virtual void StopTimer(int id) { (void)id; }

  /// Colour 0x00BBGGRR of the window pixel under `client`.
  virtual document::ColorRef PixelAt(platform::Point client) {
    (void)client;
    return 0;
  }
  /// The page tab under `global` (display coordinates), -1 for none.
  virtual int TabAt(platform::Point global) {
    (void)global;
    return -1;
  }
  /// Height of the band at the bottom of the view that is as tall as a page tab.
  virtual int TabBandHeight() { return 0; }
  /// The current page changed: repaint it at the view's scroll position and
  /// update the tab bar and scroll range.
  virtual void PageShown() {}
  /// Whether the view can scroll vertically, and scrolling by screen pixels.
  virtual bool CanScrollVertically() { return false; }
  virtual void ScrollBy(int dx, int dy) {
    (void)dx;
    (void)dy;
  }

  /// Refreshes the ribbon's style controls after the focused item changed.
  virtual void RefreshStyleControls() {}
  virtual void MarkModified() {}
};

}  // namespace plume::chartview
