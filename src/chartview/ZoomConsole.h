#pragma once
// The zoom console: a round control drawn over the chart area with a plus and
// a minus button and the zoom percentage. Clicking a button changes the zoom
// by one percent, dragging the disc moves it, and once it is clicked a dotted
// ring around it turns the zoom like a dial. It is either always shown or
// shown on demand, when the pointer comes near it. The view controller hands
// it every mouse event first (ConsolePort); the widget hands it its paints,
// zoom changes, scrolls and the commands 335 and 341.

#include <memory>

#include "commands/CommandTable.h"
#include "chartview/ChartView.h"
#include "chartview/ConsoleBitmap.h"
#include "chartview/ConsoleHost.h"
#include "chartview/ConsolePort.h"
#include "platform/Canvas.h"
#include "platform/Picture.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class ZoomConsole : public ConsolePort {
 public:
  /// Command: toggle "always shown" (checked while always shown).
  static constexpr int kCmdAlwaysShown = commands::Id(commands::CommandId::ID_CONSOLE_ALWAYS);
  /// Command: put the console back at the top left and show it.
  static constexpr int kCmdShowTopLeft = commands::Id(commands::CommandId::ID_CONSOLE_TOP_LEFT);
  /// Half the console's size: the reach of its body and buttons from the centre.
  static constexpr int kRadius = 65;
  /// Radius of the dial ring drawn around an active console, and its grab band.
  static constexpr int kRingRadius = 69;
  static constexpr int kRingGrabOuter = 74;
  /// Distance kept from the client edges besides the radius.
  static constexpr int kEdgeMargin = 5;
  /// Colour of the frame that follows a console drag.
  static constexpr platform::CanvasColor kDragFrameColor = 0x00800000;
  /// Centre when nothing is stored, and the target of command 341.
  static constexpr platform::Point kHome{79, 79};

  /// Reads the centre from Last/ZoomX and Last/ZoomY; both show flags start on.
  /// `codec` turns the console pictures made in memory into drawable pictures.
  ZoomConsole(ChartView& view, platform::SettingsStore& settings, ConsoleHost& host,
              const platform::PictureCodec& codec);

  /// Makes the console pictures and the composition for the current zoom.
  /// False, after message 30001, when they cannot be made: the view is then not created.
  bool CreateImages();
  /// Writes the centre to Last/ZoomX and Last/ZoomY (when the view goes away).
  void SavePosition() const;

  // ConsolePort: the controller's dispatch.
  /// -1 beyond 65 pixels from the centre. Within them a hidden console that is
  /// not always shown is shown (and repainted); then 1 for the body, or with
  /// `checkButtons` 2 on the plus button and 3 on the minus button.
  int HitTest(platform::Point client, bool checkButtons) override;
  /// The console is shown and active and the point lies 65 to below 74 pixels from the centre.
  bool RingHit(platform::Point client) override;
  /// The console is shown and the point lies on its ring band (wheel zoom).
  bool WheelOnRing(platform::Point client) override;
  /// A press on the ring starts turning; a press on the console clicks a
  /// button or activates it, then starts moving it. True when it took the press.
  bool LeftDown(platform::Point client) override;
  bool Dragging() const override { return drag_ != Drag::None; }
  /// Turns the zoom (ring) or moves the drag frame (console).
  void DragTo(platform::Point client) override;
  /// Ends the drag; a console drag moves the console by the release point minus the press point.
  void LeftUp(platform::Point client) override;
  /// Taken within 65 pixels of the centre; shows a hidden console that is not always shown.
  bool DoubleClick(platform::Point client) override;
  /// Ends the active state; a console that is not always shown hides.
  bool ClickElsewhere() override;
  void WheelZoom(int step) override;

  /// Moves the centre by (dx, dy) client pixels under the clamp, unless both
  /// are below 2; repaints and marks the document modified.
  void MoveConsole(int dx, int dy);
  /// Turns the zoom by the angle from `previous` to `point` around the
  /// centre, one percent per hundredth of a radian. The difference is taken
  /// the short way round, so crossing the direction straight left of the
  /// centre turns by a few percent, not by a whole circle.
  void RotateConsole(platform::Point previous, platform::Point point);
  /// Draws the console (and the ring when active) when it is shown, first
  /// clamping and storing its centre. `canvas` is in client pixels.
  void DrawConsole(platform::Canvas& canvas) override;
  /// Rebuilds the composition for the view's zoom and writes the zoom pane.
  void RebuildConsole() override;

  /// Commands 335 and 341; false for any other id.
  bool RunCommand(int id);
  /// Checked state of a command: 335 while the console is always shown.
  bool Checked(int id) const;

  /// While the view scrolls through its scroll bars the console is hidden;
  /// repaints and returns true when this hid it.
  bool HideForScroll();
  /// Shows the console again (with a repaint) if HideForScroll hid it.
  bool ShowAfterScroll();

  platform::Point Centre() const { return centre_; }
  bool AlwaysShown() const override { return alwaysShown_; }
  bool Shown() const { return shown_; }
  bool Active() const { return active_; }
  const platform::Picture* CompositionPicture() const { return picture_.get(); }

 private:
  enum class Drag { None, Ring, Console };

  /// The centre kept 65 pixels inside the client area shrunk by 5.
  platform::Point Clamped(platform::Point centre) const;
  double DistanceFromCentre(platform::Point client) const;
  void Repaint() { view_.RequestRepaint(); }

  ChartView& view_;
  platform::SettingsStore& settings_;
  ConsoleHost& host_;
  const platform::PictureCodec& codec_;

  platform::Point centre_;
  bool alwaysShown_ = true;
  bool shown_ = true;
  bool active_ = false;
  bool hiddenByScroll_ = false;

  Drag drag_ = Drag::None;
  platform::Point pressPoint_;  ///< console drag: where it started; ring drag: the last point
  platform::Point grabOffset_;  ///< press point minus centre

  std::unique_ptr<ConsoleBitmap> face_;
  std::unique_ptr<ConsoleBitmap> strip_;
  std::unique_ptr<platform::Picture> picture_;
};

}  // namespace plume::chartview
