#pragma once
// The file-system steps of saving a document, named so that tests can fail or
// stop a save at each one.

#include <functional>
#include <string_view>

namespace plume::platform {

enum class IoStep {
  DataCreate,         ///< create the data file in the work folder
  DataWrite,          ///< write and close it
  BackupCopy,         ///< copy the old document into a temporary file beside the backup
  BackupSync,         ///< flush that copy to disk
  BackupRename,       ///< rename it over the backup
  BackupFolderSync,   ///< flush the backup's folder
  CabinetWrite,       ///< write the new cabinet to a temporary file beside the document
  CabinetSync,        ///< flush it to disk
  CabinetRename,      ///< rename it over the document
  CabinetFolderSync,  ///< flush the document's folder
};

inline constexpr IoStep kAllIoSteps[] = {
    IoStep::DataCreate,   IoStep::DataWrite,        IoStep::BackupCopy,   IoStep::BackupSync,
    IoStep::BackupRename, IoStep::BackupFolderSync, IoStep::CabinetWrite, IoStep::CabinetSync,
    IoStep::CabinetRename, IoStep::CabinetFolderSync};

std::string_view IoStepName(IoStep step);

/// Called before each step; returning false makes the step fail as if the
/// system had refused it. An empty function lets every step run.
using IoStepFn = std::function<bool(IoStep)>;

inline bool Proceed(const IoStepFn& fn, IoStep step) { return !fn || fn(step); }

}  // namespace plume::platform
