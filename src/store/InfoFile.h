#pragma once
// The information file of each material (KANRI/BB/SSSSSSSS.xml): written at
// registration, extended by owners and late hashes, read by the search and
// the property dialogs. Values are CP932 text; owner paths are converted
// from and to the program's UTF-8 paths.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/MaterialInfo.h"
#include "store/StorePaths.h"

namespace plume::store {

class MaterialStore;

class InfoFile {
 public:
  explicit InfoFile(MaterialStore& store) : store_(store) {}

  /// Creates or replaces the information file of `serialText` with `info`
  /// and `owner` as its first owner. False without a store or when the file
  /// cannot be written.
  bool WriteInfo(std::string_view serialText, const MaterialInfo& info, const std::filesystem::path& owner);
  /// Whether the information file of `serialText` exists.
  bool InfoFileExists(std::string_view serialText);
  /// Appends `documentPath` as one more owner (listed owners are not checked).
  bool AddOwner(std::string_view serialText, const std::filesystem::path& documentPath);
  /// Removes the owner line that AddOwner (or WriteInfo) wrote for
  /// `documentPath`, the last one when it was written more than once; every
  /// other line stays as it is. False when there is no such line.
  bool RemoveOwner(std::string_view serialText, const std::filesystem::path& documentPath);
  /// Records a hash found later; it overrides every earlier one when read.
  bool SetSha256(std::string_view serialText, std::string_view hash);
  /// The eight values; nullopt without a store or file.
  std::optional<MaterialInfo> ReadInfo(std::string_view serialText);
  /// The value of the n-th line (n from 1) holding `tag` in the file of
  /// `number`; empty when there is none or no file.
  std::string ReadInfoTag(Serial number, std::string_view tag, int n);
  /// The n-th owner (n from 1) as a path; empty when there is none.
  std::filesystem::path OwnerPath(Serial number, int n);
  /// First owner and owner count; nullopt without a store or file.
  std::optional<OwnerSummary> ReadOwners(std::string_view serialText);

  // The same on a file path, for walks that resolved the store root once.
  static bool WriteInfoAt(const std::filesystem::path& file, const MaterialInfo& info,
                          const std::filesystem::path& owner);
  static std::optional<MaterialInfo> ReadInfoAt(const std::filesystem::path& file);
  static std::optional<OwnerSummary> ReadOwnersAt(const std::filesystem::path& file);
  static std::string ReadInfoTagAt(const std::filesystem::path& file, std::string_view tag, int n);
  /// Rewrites an existing file with `addition` before "</Root>" (through a
  /// temporary file and a rename). False when the file is missing, has no
  /// "<Root>" line or cannot be written; the file is then left as it was.
  static bool AppendAt(const std::filesystem::path& file, std::string_view addition);

 private:
  /// The information file path for reading: nothing is created.
  std::filesystem::path PathForReading(std::string_view serialText);

  MaterialStore& store_;
};

}  // namespace plume::store
