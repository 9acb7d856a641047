#pragma once
// The chart view's commands in the main window and the view's connections to
// the document: undo and redo (the quick access buttons, Ctrl+Z, Ctrl+Y and
// Ctrl+Shift+Z) and the materials of a deleted page. The window builds it with
// what it needs and it binds its commands.

namespace plume::chartview {
class CTesselView;
}
namespace plume::document {
class CUnderBar;
class ChartDocument;
}  // namespace plume::document
namespace plume::store {
class MaterialStore;
}

namespace plume::shell {

class CommandRouter;

class ViewCommands {
 public:
  struct Parts {
    CommandRouter& router;
    chartview::CTesselView& view;
    document::ChartDocument& chart;
    document::CUnderBar& tabBar;
    store::MaterialStore* materials;  ///< a deleted page's materials leave it; null: none do
  };

  /// Binds undo and redo to `parts.router` and the page deletion to the tab bar.
  explicit ViewCommands(Parts parts);

 private:
  /// Undo (back) or redo through the chart view; the tabs and the view follow the restored pages.
  void StepHistory(bool back);

  Parts parts_;
};

}  // namespace plume::shell
