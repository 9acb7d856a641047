#pragma once
// Opens folders in the desktop's file manager (xdg-open through Qt).

#include "platform/FolderOpener.h"

namespace plume::platform {

class QtFolderOpener final : public FolderOpener {
 public:
  bool OpenFolder(const std::filesystem::path& folder) override;
};

}  // namespace plume::platform
