#pragma once
// Reading a whole image file into memory for the image helpers.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace plume::convert {

enum class FileReadError { None, Open, Memory, Read };

/// The bytes of `path`; `error` says why there are none.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, FileReadError& error);

}  // namespace plume::convert
