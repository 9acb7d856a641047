#pragma once
// The settings command group of the main window: the settings sheet (311) and
// the recent file manager (395). The window builds it with what it needs and
// it binds its commands. It is also the store's way to the settings sheet
// when the store has no folder.

#include "store/SettingsSheetOpener.h"

class QWidget;

namespace plume::platform {
class SettingsStore;
}

namespace plume::shell {

class CHView;
class CommandRouter;
class RecentFileList;

class SettingsCommands final : public store::SettingsSheetOpener {
 public:
  struct Parts {
    CommandRouter& router;
    platform::SettingsStore& settings;
    RecentFileList* recent;  ///< null: the manager does not open
    CHView* htmlArea;        ///< offers its address as the home page; follows a new one
    int& animeCount;         ///< the pointer trails, kept by the window
    QWidget* owner;          ///< the dialogs' window
  };

  /// Binds the two commands to `parts.router`.
  explicit SettingsCommands(Parts parts);
  SettingsCommands(const SettingsCommands&) = delete;
  SettingsCommands& operator=(const SettingsCommands&) = delete;

  /// Opens the settings sheet; true when it was confirmed.
  bool OpenSettingsSheet() override;

 private:
  void ManageRecentFiles();

  Parts parts_;
};

}  // namespace plume::shell
