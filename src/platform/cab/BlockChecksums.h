#pragma once
// The checksums of a cabinet file's data blocks, checked before the archive
// library unpacks it: a checksum of 0 is the format's "not computed", which the
// library refuses although other unpackers accept it.

#include <filesystem>

namespace plume::platform {

/// What the checksums of a cabinet's data blocks say.
enum class BlockChecksums { Computed, SomeNotComputed, Wrong };

/// Walks every data block of the cabinet at `path`: a checksum of 0 is "not
/// computed"; every other one must match its block. A cabinet it cannot walk
/// is left to the library (Computed), which then reports the damage.
BlockChecksums CheckBlockChecksums(const std::filesystem::path& path);

}  // namespace plume::platform
