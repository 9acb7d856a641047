#pragma once
// The page tab command group of the main window: the page list, the tab bar's
// properties, renaming, the tab colours, deleting (with the materials of the
// page's nodes), moving and adding pages, and the tab context menu (on a tab,
// or the short one beside the tabs). After a page command the tabs, the view
// and the title follow. The window builds it with what it needs and it binds
// its commands.

#include <functional>

class QMenu;
class QWidget;

namespace plume::chartview {
class CTesselView;
}
namespace plume::document {
class CUnderBar;
class ChartDocument;
}  // namespace plume::document
namespace plume::platform {
class SettingsStore;
}
namespace plume::store {
class MaterialStore;
}

namespace plume::shell {

class CommandRouter;

class TabCommands {
 public:
  struct Parts {
    CommandRouter& router;
    document::CUnderBar& tabBar;
    chartview::CTesselView& view;
    document::ChartDocument& chart;
    platform::SettingsStore& settings;  ///< keeps the tab bar's properties
    store::MaterialStore* materials;    ///< a deleted page's materials leave it; null: none do
    QWidget* owner;                     ///< the dialogs' and the menu's window
    /// A page command may have changed the document: the title follows.
    std::function<void()> refreshTitle;
  };

  /// Binds the page tab commands to `parts.router`, and the context menu and page deletion to the tab bar.
  explicit TabCommands(Parts parts);
  TabCommands(const TabCommands&) = delete;
  TabCommands& operator=(const TabCommands&) = delete;

  /// The tab context menu (on a tab, or the short one beside the tabs), owned by the window.
  QMenu* BuildMenu(bool onTab);

 private:
  void AfterPageCommand();

  Parts parts_;
};

}  // namespace plume::shell
