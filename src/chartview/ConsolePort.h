#pragma once
// The zoom console as the view controller sees it: hit tests and the mouse
// events it takes first. Fully abstract; NoConsole stands for a view without
// a console: nothing is ever hit.

#include "platform/Canvas.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ConsolePort {
 public:
  virtual ~ConsolePort() = default;
  /// -1 outside the console, else 1 body, 2 plus button, 3 minus button (body
  /// only when `checkButtons` is false). May make a hidden console shown.
  virtual int HitTest(platform::Point client, bool checkButtons) = 0;
  /// The pointer is on the ring of an active console.
  virtual bool RingHit(platform::Point client) = 0;
  /// The pointer is on the ring of a shown console (wheel zoom).
  virtual bool WheelOnRing(platform::Point client) = 0;
  /// Left button down; true when the console took the click (and may drag).
  virtual bool LeftDown(platform::Point client) = 0;
  /// A console or ring drag is going on.
  virtual bool Dragging() const = 0;
  virtual void DragTo(platform::Point client) = 0;
  virtual void LeftUp(platform::Point client) = 0;
  /// Double click; true when the console took it. On + or - of a shown
  /// console it counts as one more click on that button and does nothing else.
  virtual bool DoubleClick(platform::Point client) = 0;
  /// A left click went elsewhere: a pinned console leaves its active state, an
  /// on-demand one hides. True when that changed anything.
  virtual bool ClickElsewhere() = 0;
  /// Zoom change from the wheel on the ring.
  virtual void WheelZoom(int step) = 0;
  /// Draws the console over the page (client pixels) when it is shown.
  virtual void DrawConsole(platform::Canvas& canvas) = 0;
  /// Rebuilds the console picture after a zoom change.
  virtual void RebuildConsole() = 0;
  /// The console stays shown (the VIEW menu's check mark).
  virtual bool AlwaysShown() const = 0;
};

/// A view without a zoom console: nothing is ever hit or taken.
class NoConsole : public ConsolePort {
 public:
  int HitTest(platform::Point, bool) override { return -1; }
  bool RingHit(platform::Point) override { return false; }
  bool WheelOnRing(platform::Point) override { return false; }
  bool LeftDown(platform::Point) override { return false; }
  bool Dragging() const override { return false; }
  void DragTo(platform::Point) override {}
  void LeftUp(platform::Point) override {}
  bool DoubleClick(platform::Point) override { return false; }
  bool ClickElsewhere() override { return false; }
  void WheelZoom(int) override {}
  void DrawConsole(platform::Canvas&) override {}
  void RebuildConsole() override {}
  bool AlwaysShown() const override { return false; }
};

}  // namespace plume::chartview
