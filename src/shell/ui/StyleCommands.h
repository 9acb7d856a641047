#pragma once
// The style command group of the main window: the ribbon panels テキスト,
// 配置・余白, 背景色・線・角 and 位置・サイズ through the ribbon's style
// controls, and the chart view's menu commands for style defaults,
// transparent colours and the view properties. The window builds it with what
// it needs and it binds its commands.

class QWidget;

namespace plume::chartview {
class CTesselView;
}
namespace plume::platform {
class SettingsStore;
}

namespace plume::shell {

class CMyRibbonBar;
class CommandRouter;

class StyleCommands {
 public:
  struct Parts {
    CommandRouter& router;
    platform::SettingsStore& settings;  ///< the style defaults
    chartview::CTesselView& view;       ///< with the document it shows
    CMyRibbonBar& ribbon;               ///< holds the style controls
    QWidget* owner;                     ///< owns the style controls; the dialogs' window
  };

  /// Binds the style and alignment commands to `parts.router` and the menu commands to the view.
  explicit StyleCommands(Parts parts);
  StyleCommands(const StyleCommands&) = delete;
  StyleCommands& operator=(const StyleCommands&) = delete;

 private:
  /// The view properties dialog over the current page; on OK the page takes its size.
  void EditViewProperties();

  Parts parts_;
};

}  // namespace plume::shell
