#pragma once
// The material store: where a material's files live, the next serial number,
// putting files in and taking them out. Every operation resolves the store
// folder first (asking the user once when none is set) and does nothing when
// there is none.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Picture.h"
#include "platform/SettingsStore.h"
#include "store/StorePaths.h"

namespace plume::platform {
class FolderOpener;
}  // namespace plume::platform

namespace plume::store {

class SettingsSheetOpener;

/// Folder and file name of one material file.
struct MaterialFileLocation {
  std::filesystem::path folder;  ///< store root / type word / bucket
  std::string fileName;          ///< serial text + "." + type word
  std::filesystem::path File() const { return folder / fileName; }
};

class MaterialStore {
 public:
  /// `sheet` and `folders` may be null: without a sheet, answering Yes to the
  /// store-folder question gives no folder; without a file manager, opening a
  /// folder fails with its message.
  explicit MaterialStore(platform::SettingsStore& settings, SettingsSheetOpener* sheet = nullptr,
                         platform::FolderOpener* folders = nullptr);

  /// The settings sheet opened when no store folder is set (null: none); the
  /// window hands in its sheet once it exists.
  void SetSettingsSheet(SettingsSheetOpener* sheet) { sheet_ = sheet; }
  /// The store folder setting. When it is empty, asks message 30016; on Yes
  /// opens the settings sheet and reads the setting again. Empty when no
  /// folder is set afterwards.
  std::filesystem::path GetStorePath();
  /// The store root (store folder / PLUMEDATA); nullopt when GetStorePath is empty.
  std::optional<std::filesystem::path> Root();

  /// Where the file of `typeWord` ("TXT" included) for `number` lives; creates nothing.
  std::optional<MaterialFileLocation> MaterialLocation(std::string_view typeWord, Serial number);
  /// Copies `source` into the store as the `typeWord` file of `serialText`,
  /// replacing a file of that name. The copy is written under a temporary
  /// name and renamed into place, so the stored file is never seen half
  /// written. Messages 30017 (folder) and 30018 (copy).
  bool StoreMaterialFile(std::string_view typeWord, const std::filesystem::path& source,
                         std::string_view serialText);
  /// The related text of `serialText`: the existing one of ".TXT" and ".txt"
  /// (".TXT" first), else the ".TXT" path; empty without a store.
  std::filesystem::path RelatedTextPath(std::string_view serialText);
  /// The information file path, creating its bucket folder for writing
  /// (message 30017 and an empty path when that fails); empty without a store.
  std::filesystem::path InfoFilePath(std::string_view serialText);

  /// The serial the next material will receive (setting Sys/No, default 0).
  Serial PeekNextSerial() const;
  /// Records that `used` was taken: the next serial becomes used + 1.
  void CommitSerial(Serial used);
  /// Reserves the number of a new registration in the store (see
  /// ReserveSerial in StoreSerials.h) from the user's counter. Nullopt without
  /// a store or when the store's lock cannot be had (message shown).
  std::optional<Serial> ReserveSerial();
  /// The end (exclusive) of every walk over the serial numbers of the store
  /// at `root`: the larger of the user's counter and the store's next number.
  Serial SerialWalkEnd(const std::filesystem::path& root) const;

  /// Removes the information file, the data file and the related text of a
  /// material; missing files are not an error. False only without a store.
  bool DeleteMaterial(Serial number, std::string_view typeWord);

  /// Opens the folder holding the last component of `path` (a path ending in
  /// a separator names the folder itself) in the file manager; message 30048
  /// when that fails.
  bool OpenFolderInBrowser(const std::filesystem::path& path);

  /// Decodes the `typeWord` data file of `serialText` at its own size. Null
  /// without a store or file; message 30028 with the path when it cannot be
  /// read or decoded. `transparentColour` is left as given (the codecs here
  /// report no transparent colour).
  std::unique_ptr<platform::Picture> LoadMaterialImage(std::string_view typeWord, std::string_view serialText,
                                                       const platform::PictureCodec& codec,
                                                       std::int32_t& transparentColour);

  // Paths below an already resolved root; they create and ask nothing.
  static std::filesystem::path RootBelow(const std::filesystem::path& storePath);
  static std::filesystem::path DataFileIn(const std::filesystem::path& root, std::string_view typeWord,
                                          std::string_view serialText);
  /// The type of the data file a material has: `ext` as recorded, except
  /// that a material recorded with "HTML" or no type (older captures recorded
  /// the page's type) takes the type of the PDF or JPEG file it has; empty
  /// when it has neither.
  static std::string StoredTypeIn(const std::filesystem::path& root, std::string_view ext,
                                  std::string_view serialText);
  static std::filesystem::path InfoFileIn(const std::filesystem::path& root, std::string_view serialText);
  /// The existing related text (".TXT", then ".txt"), else the ".TXT" path.
  static std::filesystem::path RelatedTextIn(const std::filesystem::path& root, std::string_view serialText);

 private:
  platform::SettingsStore& settings_;
  SettingsSheetOpener* sheet_;
  platform::FolderOpener* folders_;
};

}  // namespace plume::store
