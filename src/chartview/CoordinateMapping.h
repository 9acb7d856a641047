#pragma once
// The three coordinate spaces of the chart view and the conversions between
// them. Page units are screen pixels at zoom 100 %. Screen pixels are zoomed
// page units with the page origin at (0, 0); client pixels are screen pixels
// minus the scroll position. Every conversion truncates toward zero, and a
// rectangle is zoomed corner first and then width and height, never as
// trunc(right x zoom).

#include "document/ChartRecords.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

/// A length in page units (line width, margin, font size) zoomed: trunc(length x zoom).
inline int ZoomLength(int pageUnits, float zoom) {
  return static_cast<int>(static_cast<float>(pageUnits) * zoom);
}

/// A page-unit rectangle in screen pixels.
inline platform::IntRect PageToScreen(const document::Rect& r, float zoom) {
  const int left = ZoomLength(r.left, zoom);
  const int top = ZoomLength(r.top, zoom);
  return {left, top, left + ZoomLength(r.Width(), zoom), top + ZoomLength(r.Height(), zoom)};
}

/// A screen point in client pixels.
inline platform::Point ScreenToClient(platform::Point screen, platform::Point scroll) {
  return {screen.x - scroll.x, screen.y - scroll.y};
}

/// A screen point (scroll included) in page units: divided by the zoom.
inline platform::Point ScreenToPage(platform::Point screen, float zoom) {
  return {static_cast<int>(static_cast<float>(screen.x) / zoom), static_cast<int>(static_cast<float>(screen.y) / zoom)};
}

/// A client point in page units: scroll added, then divided by the zoom.
inline platform::Point ClientToPage(platform::Point client, platform::Point scroll, float zoom) {
  return {static_cast<int>(static_cast<float>(client.x + scroll.x) / zoom),
          static_cast<int>(static_cast<float>(client.y + scroll.y) / zoom)};
}

/// A document rectangle as a canvas rectangle (same numbers).
inline platform::IntRect ToIntRect(const document::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline document::Rect ToRect(const platform::IntRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace plume::chartview
