#pragma once
// Replacing a user's file so that a crash or a full disk leaves either the old
// file or the new one: write a temporary file in the same folder, flush it,
// rename it over the target, flush the folder.

#include <filesystem>

#include "platform/IoStep.h"

namespace plume::platform {

/// A name beside `target` that is not in use:
/// ".<name>.<pid>-<random>@<host>.part", so a later save can tell the
/// leftovers of a process that died. Create it exclusively.
std::filesystem::path TemporarySibling(const std::filesystem::path& target);

/// Removes the temporary siblings of `target` (see TemporarySibling) that a
/// process of this host which no longer runs left behind: regular files of
/// this user only. Returns how many.
int RemoveDeadTemporaries(const std::filesystem::path& target);

/// fsync of a file or a folder; false when it cannot be opened or flushed.
bool SyncToDisk(const std::filesystem::path& path);

/// Gives `file` the permission bits of `like` when `like` exists, else the
/// bits a new file gets under the current umask.
bool CopyPermissions(const std::filesystem::path& like, const std::filesystem::path& file);

/// Copies `from` over `to` through a temporary sibling of `to`, flushed and
/// renamed into place (steps BackupCopy .. BackupFolderSync). On failure `to`
/// is left as it was and the temporary file is removed.
bool CopyFileDurably(const std::filesystem::path& from, const std::filesystem::path& to,
                     const IoStepFn& steps = {});

}  // namespace plume::platform
