#pragma once
// The one rule for every file the user chooses to write (documents, exports,
// images, PDFs, text files): a symlink is followed and its target replaced
// (the link stays); a target that exists but is not a regular file (folder,
// device, FIFO, socket) is refused with 30580, a read-only one with 30581;
// the new content goes to an exclusive temporary sibling of the target,
// flushed, given the old file's permissions and renamed over it, and any
// failure shows 30582 (with the path above it) and leaves the old file as it
// was. Success is reported only once the file is in place.

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>

namespace plume::platform {

/// The file a write to `chosen` replaces or creates, symlinks followed;
/// nullopt (its message shown unless `quiet`) when the target may not be written.
std::optional<std::filesystem::path> ResolveOutputTarget(const std::filesystem::path& chosen, bool quiet = false);

/// Writes `chosen` with the bytes `write` puts into the stream. A stream
/// that fails shows 30582; false from `write` with a sound stream means it
/// failed and has shown its own message.
bool WriteUserFile(const std::filesystem::path& chosen, const std::function<bool(std::ostream&)>& write);

/// Puts a finished file (made in the scratch folder by a library that writes
/// by path) in place at `chosen`, under the same rule. `finished` stays.
bool PlaceUserFile(const std::filesystem::path& chosen, const std::filesystem::path& finished);

}  // namespace plume::platform
