#pragma once
// Reads the text inside a material's data file for the full-text search: a
// PDF's text, the words in a picture. The index's worker calls it at low
// priority; it may take seconds.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plume::store::index {

class BodyReader {
 public:
  virtual ~BodyReader() = default;
  /// The text of the `ext` data file `file` as CP932 bytes (empty when it has
  /// none); nullopt when the file cannot be read now (it is tried again later).
  virtual std::optional<std::string> ReadBody(const std::filesystem::path& file, std::string_view ext) = 0;
};

}  // namespace plume::store::index
