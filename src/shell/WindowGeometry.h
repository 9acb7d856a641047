#pragma once
// The main window's stored placement and the splitter sizes of its areas:
// pure arithmetic, so the rules are tested without a window.

#include "platform/SettingsStore.h"

namespace plume::shell {

/// A window rectangle in desktop pixels.
struct WindowBox {
  int x = 0;
  int y = 0;
  int width = 640;
  int height = 480;
  friend bool operator==(const WindowBox&, const WindowBox&) = default;
};

/// The stored placement of the main window (section Last).
struct Placement {
  WindowBox box;
  bool maximised = false;
  bool stored = false;  ///< the size came from the store (false: never saved, the defaults)
};

/// Reads PX, PY, SX, SY and Zoomed of section Last.
Placement LoadPlacement(const platform::SettingsStore& store);
/// Writes the (normal, restored) rectangle and the maximised flag; negative
/// positions are written as 0.
void SavePlacement(platform::SettingsStore& store, const Placement& placement);

/// Where a stored box opens on a desktop of `desktopWidth` x `desktopHeight`:
/// negative positions count as 0, and a box that would end past the desktop's
/// right (bottom) edge is moved left (up) so that it ends on that edge, but
/// never past 0. Width and height are kept.
WindowBox ClampToDesktop(WindowBox box, int desktopWidth, int desktopHeight);

/// The first window on an available desktop area: four fifths of it each
/// way but at least the default 640 x 480, never larger than the desktop,
/// centred.
WindowBox FirstWindowBox(int desktopWidth, int desktopHeight);

/// Where the main window opens: without a stored size as FirstWindowBox; a
/// stored width (height) is kept where it fits the desktop and otherwise
/// replaced by FirstWindowBox's; then placed by ClampToDesktop.
WindowBox PlaceOnDesktop(const Placement& placement, int desktopWidth, int desktopHeight);

/// Widths of the two columns and heights of the two left areas.
struct AreaSizes {
  int leftWidth = 400;   ///< HTML and text areas column
  int htmlHeight = 400;  ///< HTML area above the text area
  friend bool operator==(const AreaSizes&, const AreaSizes&) = default;
};

/// The four area commands.
enum class AreaCommand { Even, HtmlOnly, TextOnly, ChartOnly };

/// The sizes an area command sets for a frame client of `width` x `height`.
/// `current` supplies what the command leaves alone.
AreaSizes SizesFor(AreaCommand command, int width, int height, AreaSizes current);

/// Reads cxCur and cyCur; negative values count as 0.
AreaSizes LoadAreaSizes(const platform::SettingsStore& store);
void SaveAreaSizes(platform::SettingsStore& store, AreaSizes sizes);

}  // namespace plume::shell
