#pragma once
// The values an information file records about one material.

#include <filesystem>
#include <string>

namespace plume::store {

/// The eight single values of an information file, as CP932 text exactly as
/// stored (numbers are decimal text). A missing tag reads as empty.
struct MaterialInfo {
  std::string ext;         ///< type word recorded at registration ("JPEG", "PDF", "HTML", "")
  std::string width;       ///< picture width in pixels, "%d"
  std::string height;      ///< picture height in pixels, "%d"
  std::string size;        ///< data file size in bytes, "%ld"
  std::string sha256;      ///< 64 upper-case hex digits, or empty
  std::string title;       ///< page title or given name
  std::string getFrom;     ///< source address or source file path
  std::string createDate;  ///< "%Y.%m.%d %H:%M"

  bool operator==(const MaterialInfo&) const = default;
};

/// The owners of a material: the chart documents that use it.
struct OwnerSummary {
  std::filesystem::path firstOwner;  ///< empty when there is none
  int count = 0;                     ///< owners in file order up to the first empty one
};

}  // namespace plume::store
