#pragma once
// How the store asks for its folder when none is set: the settings sheet,
// shown by the main window.

namespace plume::store {

class SettingsSheetOpener {
 public:
  virtual ~SettingsSheetOpener() = default;
  /// Shows the settings sheet modally; true when the user closed it with OK
  /// (the sheet has then saved its settings and created the store folder).
  virtual bool OpenSettingsSheet() = 0;
};

}  // namespace plume::store
