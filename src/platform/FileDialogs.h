#pragma once
// File choosers the core asks for a path. The program shows the system's
// dialogs; tests answer with a path or nothing.

#include <filesystem>
#include <optional>
#include <string>

namespace plume::platform {

/// What a save-file chooser shows. Texts are UTF-8.
struct SaveFileRequest {
  std::string title;             ///< dialog title; empty: the system's default
  /// Filter pairs "Name|pattern|Name|pattern|" closed by an extra "|"
  /// ("Plumeboard File|*.PBD||"); patterns are matched without regard to case.
  std::string filter;
  std::string defaultExtension;  ///< appended (after a ".") when the chosen name has none
  std::string initialName;       ///< name or path proposed at first; empty: none
  bool hideReadOnly = true;      ///< no "open as read-only" check box
  bool confirmOverwrite = false; ///< ask before an existing file is chosen
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  /// Shows a save-file chooser; the chosen path, or nullopt on Cancel.
  virtual std::optional<std::filesystem::path> AskSaveFile(const SaveFileRequest& request) = 0;
};

}  // namespace plume::platform
