#pragma once
// A view controller over a two-page chart with a recording host, for
// replaying mouse and key events.

#include <string>
#include <vector>

#include "../support/ChartViewNulls.h"
#include "ChartFixture.h"
#include "chartview/ChartView.h"
#include "chartview/ViewController.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::chartview::testing {

struct RecordingHost : plume::testing::NullControllerHost {
  int repaints = 0, feedbacks = 0, erases = 0, modified = 0, pagesShown = 0, captures = 0, releases = 0;
  std::vector<ContextMenu> menus;
  int menuAnswer = 0;
  std::vector<int> commands;
  CursorRole cursor = CursorRole::Arrow;
  platform::IntRect lastFeedback;
  std::string tooltip, status, pointerPane;
  platform::IntRect tabRect{0, 2000, 100, 2020};  // display coordinates of tab 1
  int tabIndex = 1;
  document::ColorRef pixel = 0x00123456;
  MenuFacts facts;
  bool canScroll = true;
  platform::Point scrolled;

  void DrawFeedback(FeedbackShape, const platform::IntRect& r) override {
    ++feedbacks;
    lastFeedback = r;
  }
  void EraseFeedback() override { ++erases; }
  void SetCursor(CursorRole role) override { cursor = role; }
  void CaptureMouse() override { ++captures; }
  void ReleaseMouse() override { ++releases; }
  int ShowContextMenu(const ContextMenu& menu, platform::Point) override {
    menus.push_back(menu);
    return menuAnswer;
  }
  MenuFacts QueryMenuFacts() override { return facts; }
  void RunCommand(int command) override { commands.push_back(command); }
  void SetTooltip(std::string_view t) override { tooltip = t; }
  void SetStatusText(std::string_view t) override { status = t; }
  void SetPointerPane(std::string_view t) override { pointerPane = t; }
  document::ColorRef PixelAt(platform::Point) override { return pixel; }
  int TabAt(platform::Point g) override {
    return g.x >= tabRect.left && g.x < tabRect.right && g.y >= tabRect.top && g.y < tabRect.bottom ? tabIndex : -1;
  }
  void PageShown() override { ++pagesShown; }
  bool CanScrollVertically() override { return canScroll; }
  void ScrollBy(int dx, int dy) override { scrolled = {scrolled.x + dx, scrolled.y + dy}; }
};

class ControllerFixture : public ChartFixture {
 public:
  ControllerFixture() { platform::SetMessageSink(&sink); }
  ~ControllerFixture() { platform::SetMessageSink(nullptr); }

  /// Node with a frame of `futosa` page units.
  int Node(document::Rect r, std::uint16_t pageId = 1, int futosa = 1) {
    const int i = AddNode(r, pageId);
    doc->nodes[i].style.Futosa = static_cast<std::uint16_t>(futosa);
    return i;
  }
  int Slip(document::Rect r, std::uint16_t pageId = 1, int futosa = 1) {
    const int i = AddSlip(r, pageId);
    doc->slips[i].style.Futosa = static_cast<std::uint16_t>(futosa);
    return i;
  }

  // Events at client points, global point = client point unless given.
  void Down(int x, int y, int flags = mouse::kLeft) { controller.LeftButtonDown({{x, y}, flags, {x, y}}); }
  void Move(int x, int y, platform::Point global = {-1, -1}) {
    controller.MouseMove({{x, y}, mouse::kLeft, global.x < 0 ? platform::Point{x, y} : global});
  }
  void Up(int x, int y) { controller.LeftButtonUp({{x, y}, 0, {x, y}}); }
  void Drag(int x0, int y0, int x1, int y1, int flags = mouse::kLeft) {
    Down(x0, y0, flags);
    Move((x0 + x1) / 2, (y0 + y1) / 2);
    Move(x1, y1);
    Up(x1, y1);
  }
  void RightUp(int x, int y) { controller.RightButtonUp({{x, y}, 0, {x, y}}); }

  platform::ScriptedMessageSink sink;
  platform::MemorySettingsStore store;
  WindowlessHost viewHost;
  ChartView view{*doc, store, viewHost};
  RecordingHost host;
  plume::testing::ChangeCounter changes{*doc, &host.modified, &host.repaints};
  ViewController controller{view, host};
};

}  // namespace plume::chartview::testing
