#pragma once
// The scratch folder "Plumeboard" in the system's temporary folder (TMPDIR
// honoured). Scratch files there have fixed names and are overwritten by their
// next use.

#include <filesystem>
#include <string_view>

namespace plume::document {

/// The work folder, or the work folder / `sub` when `sub` is not empty,
/// creating each level when missing; no trailing separator. The work folder
/// itself must be a real folder of this user that nobody else may write to
/// (it is created so, and a folder of ours with looser rights is tightened);
/// `sub` must be relative without "..". Otherwise shows 30002 and returns an
/// empty path.
std::filesystem::path GetWorkFolder(std::string_view sub = {});

}  // namespace plume::document
