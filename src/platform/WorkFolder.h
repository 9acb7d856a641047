#pragma once
// The work folder: one per user, "Plumeboard" in XDG_RUNTIME_DIR when that is
// set, else "Plumeboard-<uid>" in the system's temporary folder (TMPDIR
// honoured). Each process keeps its scratch files in its own sub-folder named
// after its process id, removed at exit; scratch files there have fixed names
// and are replaced by their next use. Sub-folders of processes that no longer
// run are removed when the next process makes its own.

#include <filesystem>
#include <string_view>

namespace plume::platform {

/// The work folder, or the work folder / `sub` when `sub` is not empty,
/// creating each level when missing; no trailing separator. The work folder
/// itself must be a real folder of this user that nobody else may write to
/// (it is created so, and a folder of ours with looser rights is tightened);
/// `sub` must be relative without "..". Otherwise shows 30002 and returns an
/// empty path.
std::filesystem::path GetWorkFolder(std::string_view sub = {});

/// This process's scratch folder (work folder / pid), or a sub-folder of it,
/// under the same rules. The first call in a process removes the scratch
/// folders of processes that no longer run and arranges for its own to be
/// removed at exit.
std::filesystem::path GetScratchFolder(std::string_view sub = {});

/// Removes the scratch folders in the work folder whose process no longer
/// runs; returns how many. Quiet: an unavailable work folder removes nothing.
int RemoveDeadScratchFolders();

/// True when a process with this id runs (or exists, but is not ours to signal).
bool ProcessRuns(long pid);

}  // namespace plume::platform
