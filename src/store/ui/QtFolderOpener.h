#pragma once
// Opens folders in the desktop's file manager (xdg-open through Qt).

#include "store/FolderOpener.h"

namespace plume::store {

class QtFolderOpener final : public FolderOpener {
 public:
  bool OpenFolder(const std::filesystem::path& folder) override;
};

}  // namespace plume::store
