#pragma once
// Undo and redo in the main window (the quick access buttons, Ctrl+Z, Ctrl+Y
// and Ctrl+Shift+Z) through the chart view; each button's tooltip names the
// step it would take. The window builds it with what it needs and it binds its
// commands.

namespace plume::chartview {
class CTesselView;
}
namespace plume::document {
class CUnderBar;
}

namespace plume::shell {

class CommandRouter;

class HistoryCommands {
 public:
  struct Parts {
    CommandRouter& router;
    chartview::CTesselView& view;  ///< with the document it shows
    document::CUnderBar& tabBar;   ///< follows the restored pages
  };

  /// Binds undo and redo to `parts.router`.
  explicit HistoryCommands(Parts parts);
  HistoryCommands(const HistoryCommands&) = delete;
  HistoryCommands& operator=(const HistoryCommands&) = delete;

 private:
  /// Undo (back) or redo through the chart view; the tabs and the view follow the restored pages.
  void StepHistory(bool back);

  Parts parts_;
};

}  // namespace plume::shell
