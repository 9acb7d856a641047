#pragma once
// The view controller's host inside the chart area widget: erasable
// feedback on the back buffer, Qt cursors, mouse grab while a button is
// held, QMenu context menus, the tooltip, timers, pixels of the back buffer,
// and the frame's services (status bar, page tabs, commands) reached through
// the main window's ViewFrame.

#include <QObject>

#include <map>

#include "chartview/ControllerHost.h"

class QTimer;

namespace plume::chartview {

class CTesselView;

class QtControllerHost : public ControllerHost {
 public:
  explicit QtControllerHost(CTesselView& widget) : widget_(widget) {}
  ~QtControllerHost() override;

  void RepaintRect(const platform::IntRect& client) override;
  void DrawFeedback(FeedbackShape shape, const platform::IntRect& client) override;
  void EraseFeedback() override;
  void SetFeedbackLabel(std::string_view text, platform::Point client) override;

  void SetCursor(CursorRole role) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void TakeFocus() override;

  int ShowContextMenu(const ContextMenu& menu, platform::Point client) override;
  MenuFacts QueryMenuFacts() override;
  void RunCommand(int command) override;

  void SetTooltip(std::string_view text) override;
  void SetStatusText(std::string_view text) override;
  void SetPointerPane(std::string_view text) override;

  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;

  document::ColorRef PixelAt(platform::Point client) override;
  int TabAt(platform::Point global) override;
  int TabBandHeight() override;
  void PageShown() override;
  bool CanScrollVertically() override;
  void ScrollBy(int dx, int dy) override;


  /// The cursor role last set.
  CursorRole Cursor() const { return cursor_; }

 private:
  CTesselView& widget_;
  std::map<int, QTimer*> timers_;
  CursorRole cursor_ = CursorRole::Arrow;
};

}  // namespace plume::chartview
