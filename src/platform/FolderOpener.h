#pragma once
// Starting the desktop's file manager on a folder.

#include <filesystem>

namespace plume::platform {

class FolderOpener {
 public:
  virtual ~FolderOpener() = default;
  /// Shows `folder` in the file manager; false when it could not be started.
  virtual bool OpenFolder(const std::filesystem::path& folder) = 0;
};

}  // namespace plume::platform
