#pragma once
// The content check of the store: how many material files of each type it
// holds and how many bytes they take.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace plume::store {

/// Type words of the content check, in the order it lists them.
inline constexpr std::array<std::string_view, 7> kContentTypes = {"TXT", "PDF", "JPEG", "GIF", "BMP", "PNG", "TIFF"};

struct TypeContents {
  std::int64_t files = 0;
  std::int64_t bytes = 0;
};

/// Per type word (kContentTypes order): the files in the bucket folders 00..99
/// of root/type whose upper-case name ends with the type word ("x.jpeg" counts
/// for JPEG, "x.JPG" does not).
std::array<TypeContents, kContentTypes.size()> CountStoreContents(const std::filesystem::path& root);

}  // namespace plume::store
