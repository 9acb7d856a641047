#pragma once
// The zoom console as the view controller sees it: hit tests and the mouse
// events it takes first. The defaults stand for a view without a console:
// nothing is ever hit.

#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ConsolePort {
 public:
  virtual ~ConsolePort() = default;
  /// -1 outside the console, else 1 body, 2 plus button, 3 minus button (body
  /// only when `checkButtons` is false). May make a hidden console shown.
  virtual int HitTest(platform::Point client, bool checkButtons) {
    (void)client;
    (void)checkButtons;
    return -1;
  }
  /// The pointer is on the ring of an active console.
  virtual bool RingHit(platform::Point client) { (void)client; return false; }
  /// The pointer is on the ring of a shown console (wheel zoom).
  virtual bool WheelOnRing(platform::Point client) { (void)client; return false; }
  /// Left button down; true when the console took the click (and may drag).
  virtual bool LeftDown(platform::Point client) { (void)client; return false; }
  /// A console or ring drag is going on.
  virtual bool Dragging() const { return false; }
  virtual void DragTo(platform::Point client) { (void)client; }
  virtual void LeftUp(platform::Point client) { (void)client; }
  /// Double click; true when the console took it. On + or - of a shown
  /// console it counts as one more click on that button and does nothing else.
  virtual bool DoubleClick(platform::Point client) { (void)client; return false; }
  /// A left click went elsewhere: a pinned console leaves its active state, an
  /// on-demand one hides. True when that changed anything.
  virtual bool ClickElsewhere() { return false; }
  /// Zoom change from the wheel on the ring.
  virtual void WheelZoom(int step) { (void)step; }
};

}  // namespace plume::chartview
