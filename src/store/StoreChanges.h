#pragma once
// Who hears that a material's files changed in this process: the store's own
// writers (information file, related text, data file, deletion) announce every
// change here, so a listener such as the material index stays current without
// any registration or edit flow knowing of it.

#include <filesystem>

#include "store/StorePaths.h"

namespace plume::store {

class StoreChangeListener {
 public:
  virtual ~StoreChangeListener() = default;
  /// A file of material `serial` in the store at `root` was written or removed.
  virtual void MaterialChanged(const std::filesystem::path& root, Serial serial) = 0;
};

/// Installs the one listener of this process (null: none); returns the previous one.
StoreChangeListener* SetStoreChangeListener(StoreChangeListener* listener);

/// Announces a change of material `serial` below `root`.
void NotifyMaterialChanged(const std::filesystem::path& root, Serial serial);

/// Announces a change of a store file named by its path (ROOT/FOLDER/BUCKET/SERIAL.EXT,
/// as information files, related texts and data files are); other paths are ignored.
void NotifyStoreFileChanged(const std::filesystem::path& file);

}  // namespace plume::store
