#include "platform/DialogStartFolder.h"

#include <system_error>

namespace plume::platform {

namespace fs = std::filesystem;

fs::path DialogStartFolder(const DialogFolders& folders) {
  std::error_code ec;
  for (const fs::path& folder : {folders.proposed.parent_path(), folders.lastUsed, folders.documentFolder}) {
    if (!folder.empty() && fs::is_directory(folder, ec)) return folder;
  }
  return folders.home;
}

}  // namespace plume::platform
