#pragma once
// Where a file chooser opens, so that saving an export or a document does not
// start in whatever folder the program happened to be started from.

#include <filesystem>

namespace plume::platform {

/// What the chooser knows when it opens; empty paths are unknown.
struct DialogFolders {
  std::filesystem::path proposed;        ///< the name or path proposed in the chooser
  std::filesystem::path lastUsed;        ///< folder of the last file chosen in this run
  std::filesystem::path documentFolder;  ///< folder of the open document's file
  std::filesystem::path home;            ///< the user's home folder
};

/// The folder of a proposed path that names one; else the folder last used;
/// else the document's folder; else the home folder. Folders that no longer
/// exist are passed over.
std::filesystem::path DialogStartFolder(const DialogFolders& folders);

}  // namespace plume::platform
