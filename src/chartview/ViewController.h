#pragma once
// The chart view's mouse and keyboard editing without a window. The widget
// hands it abstract events; it hit-tests the current page, applies the
// selection rules, moves items (also to other pages), joins nodes with arcs,
// runs the rubber band and the context menus, and talks back through
// ControllerHost. Drags draw only erasable feedback; the page is repainted
// once, when the drag ends. The zoom console and the sizing operations are
// reached through ConsolePort and EditingPort.

#include "commands/CommandTable.h"
#include "chartview/ChartView.h"
#include "chartview/ConsolePort.h"
#include "chartview/ControllerEvents.h"
#include "chartview/ControllerHost.h"
#include "chartview/DragMode.h"
#include "chartview/EditingPort.h"
#include "chartview/HitTester.h"
#include "chartview/PointerFeedback.h"
#include "chartview/SelectionEditor.h"

namespace plume::chartview {

class ViewController {
 public:
  /// A node move shorter than this on both axes (screen pixels) is no move.
  static constexpr int kNodeDropThreshold = 5;
  /// A slip move of at most this on both axes is no move.
  static constexpr int kSlipDropThreshold = 2;
  /// A rubber band must be wider and taller than this (pixels) to select.
  static constexpr int kBandMinimum = 10;
  /// Arrow-key steps in screen pixels, plain and with Ctrl.
  static constexpr int kKeyStep = 10;
  static constexpr int kFineKeyStep = 1;
  static constexpr int kAnimationTimer = 1;
  /// Key commands handed to the host.
  static constexpr int kCmdDeleteNodes = commands::Id(commands::CommandId::ID_NODE_DELETE);
  static constexpr int kCmdDeleteSlips = commands::Id(commands::CommandId::ID_SLIP_DELETE);
  static constexpr int kCmdCopyNodes = commands::Id(commands::CommandId::ID_VIEW_COPY);
  static constexpr int kCmdCopySlips = commands::Id(commands::CommandId::ID_SLIP_COPY);
  static constexpr int kCmdPaste = commands::Id(commands::CommandId::ID_VIEW_PASTE);

  /// `console` and `editing` may be null (no console, no sizing or editor).
  ViewController(ChartView& view, ControllerHost& host, ConsolePort* console = nullptr,
                 EditingPort* editing = nullptr);

  void LeftButtonDown(const MouseEvent& e);
  void LeftButtonUp(const MouseEvent& e);
  void LeftDoubleClick(const MouseEvent& e);
  void MouseMove(const MouseEvent& e);
  void RightButtonUp(const MouseEvent& e);
  /// True when the key was the view's.
  bool KeyDown(const KeyEvent& e);
  /// Ctrl with an arrow key nudges the selection by one pixel while anything
  /// on the page is selected; otherwise the key is the window's (the area commands).
  bool NudgesOnCtrlArrow() const;
  void Wheel(const WheelEvent& e);
  void Timer(int id);

  /// Moves the selected items of `kind` by (dx, dy) screen pixels under the
  /// page clamp; repaints and commits the move as a step of the history.
  void MoveSelected(ItemKind kind, int dx, int dy);
  /// Selects the items of `kind` inside the last rubber band (SEL menu).
  void SelectInRect(ItemKind kind);

  /// Command 372: arms or disarms the transparent-colour pick.
  void TogglePick() { pickArmed_ = !pickArmed_; }
  bool PickArmed() const { return pickArmed_; }

  /// The item the pointer animation circles with the pointer resting at
  /// `client` (no button held, no drag): the slip under it, else the node,
  /// unless that item is selected; index -1 for none. Kept as the hover item
  /// until the pointer leaves it or a click or key ends the animation.
  struct HoverItem {
    ItemKind kind = ItemKind::Nodes;
    int index = -1;
  };
  HoverItem AnimationTarget(platform::Point client);
  HoverItem Hovered() const { return {hoverKind_, hoverItem_}; }

  DragMode Mode() const { return dragMode_; }
  /// Where the last right click happened, screen pixels.
  platform::Point MenuPoint() const { return menuPoint_; }
  int RubberKinds() const { return rubberKinds_; }
  int HandleIndex() const { return handleIndex_; }

 private:
  platform::Point ToScreen(platform::Point client) const;
  platform::Point ToPage(platform::Point screen) const;
  platform::Point ToClient(platform::Point screen) const;
  platform::IntRect ScreenRectOf(ItemKind kind, int index) const;
  HitTester Hits() const { return HitTester(doc_, view_.Zoom()); }

  void StartMove(ItemKind kind, platform::Point screen);
  void Drop(ItemKind kind, platform::Point screen);
  void EndNodeMove(platform::Point screen);
  void EndRubberBand(platform::Point screen);
  void TrackMove(const MouseEvent& e, platform::Point screen);
  bool CrossPages(const MouseEvent& e, platform::Point screen);
  void FollowMarker(const LinkMarker& marker);
  void ShowPage(int index);
  void Hover(platform::Point client, platform::Point screen);
  void HoverPick(platform::Point client, platform::Point screen);
  /// Cursor over the zoom console (which may show on the hover); false when
  /// the pointer is off it.
  bool HoverConsole(platform::Point client);
  void StopAnimation();
  void StartSizing(DragMode mode, int handle, platform::Point screen);
  void AfterLeftClick();

  ChartView& view_;
  document::ChartDocument& doc_;
  ControllerHost& host_;
  NoConsole defaultConsole_;
  NoEditing defaultEditing_;
  ConsolePort& console_;
  EditingPort& editing_;
  SelectionEditor selection_;
  PointerFeedback pointer_;

  DragMode dragMode_ = DragMode::None;
  platform::Point pressPoint_;
  platform::Point grabOffset_;
  platform::IntRect rubberRect_;
  int rubberKinds_ = 0;
  int handleIndex_ = -1;
  bool pickArmed_ = false;
  bool markerLatch_ = false;
  int hoverItem_ = -1;
  ItemKind hoverKind_ = ItemKind::Nodes;
  platform::Point menuPoint_;
};

}  // namespace plume::chartview
