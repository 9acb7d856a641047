#pragma once
// What the index keeps of one material, read from its files: the information
// file's values and owners, the related text, the text found inside the data
// file, and the size and time of each file it came from.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "store/MaterialInfo.h"
#include "store/SearchRow.h"
#include "store/StorePaths.h"

namespace plume::store::index {

/// Size and modification time of a file; size -1 when there is no file.
struct FileStamp {
  std::int64_t size = -1;
  std::int64_t mtimeNs = 0;
  bool operator==(const FileStamp&) const = default;
};

/// The stamp of `file` as it stands now.
FileStamp StampOf(const std::filesystem::path& file);

struct MaterialRecord {
  Serial serial = 0;
  MaterialInfo info;
  int ownerCount = 0;
  std::string firstOwner;  ///< CP932, as the search list shows it
  std::string related;     ///< the related text's bytes
  FileStamp infoStamp, textStamp, dataStamp;
};

/// The record of `serial` from the store at `root`; nullopt without an information file.
std::optional<MaterialRecord> ReadMaterialRecord(const std::filesystem::path& root, Serial serial);

/// The search list's row of material `serial` as the search shows it (numbered 1); nullopt without one.
std::optional<SearchRow> RowOfMaterial(const std::filesystem::path& root, Serial serial);

}  // namespace plume::store::index
