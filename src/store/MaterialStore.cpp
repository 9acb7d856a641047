#include "store/MaterialStore.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/FolderOpener.h"
#include "store/SettingsSheetOpener.h"
#include "store/StoreChanges.h"
#include "store/StoreSerials.h"

namespace plume::store {

namespace fs = std::filesystem;
using platform::ShowMessage;
using platform::StringId;
namespace settings = platform::settings;

MaterialStore::MaterialStore(platform::SettingsStore& settings, SettingsSheetOpener* sheet, platform::FolderOpener* folders)
    : settings_(settings), sheet_(sheet), folders_(folders) {}

fs::path MaterialStore::GetStorePath() {
  std::string path = settings::Get(settings_, settings::KanSet::StorePath);
  if (!path.empty()) return fs::path(path);
  if (ShowMessage(StringId::StorePathNotSetAsk, {}, platform::MsgIcon::Question, platform::MsgButtons::YesNo) !=
      platform::MsgResult::Yes) {
    return {};
  }
  if (sheet_ == nullptr || !sheet_->OpenSettingsSheet()) return {};
  return fs::path(settings::Get(settings_, settings::KanSet::StorePath));
}

std::optional<fs::path> MaterialStore::Root() {
  const fs::path storePath = GetStorePath();
  if (storePath.empty()) return std::nullopt;
  return RootBelow(storePath);
}

fs::path MaterialStore::RootBelow(const fs::path& storePath) { return storePath / kStoreFolder; }

std::string MaterialStore::StoredTypeIn(const fs::path& root, std::string_view ext, std::string_view serialText) {
  if (!ext.empty() && ext != "HTML") return std::string(ext);
  for (const std::string_view type : {std::string_view("PDF"), std::string_view("JPEG")}) {
    if (platform::IsRegularFile(DataFileIn(root, type, serialText))) return std::string(type);
  }
  return {};
}

fs::path MaterialStore::DataFileIn(const fs::path& root, std::string_view typeWord, std::string_view serialText) {
  std::string name(serialText);
  name += '.';
  name += typeWord;
  return root / typeWord / BucketOf(serialText) / name;
}

fs::path MaterialStore::InfoFileIn(const fs::path& root, std::string_view serialText) {
  return root / kInfoFolder / BucketOf(serialText) / (std::string(serialText) + ".xml");
}

fs::path MaterialStore::RelatedTextIn(const fs::path& root, std::string_view serialText) {
  const fs::path upper = DataFileIn(root, kTextType, serialText);
  std::error_code ec;
  if (fs::exists(upper, ec)) return upper;
  fs::path lower = upper;
  lower.replace_extension(".txt");
  if (fs::exists(lower, ec)) return lower;
  return upper;
}

std::optional<MaterialFileLocation> MaterialStore::MaterialLocation(std::string_view typeWord, Serial number) {
  const auto root = Root();
  if (!root) return std::nullopt;
  const std::string serialText = FormatSerial(number);
  const fs::path file = DataFileIn(*root, typeWord, serialText);
  return MaterialFileLocation{file.parent_path(), file.filename().string()};
}

bool MaterialStore::StoreMaterialFile(std::string_view typeWord, const fs::path& source,
                                      std::string_view serialText) {
  const auto root = Root();
  if (!root) return false;
  const fs::path target = DataFileIn(*root, typeWord, serialText);
  if (!EnsureFolder(target.parent_path())) {
    ShowMessage(StringId::StoreFolderCreateFailed);
    return false;
  }
  // A unique temporary name: several writers may fill one store folder at once.
  std::random_device rd;
  const fs::path temp = target.parent_path() / ("." + target.filename().string() + "." + std::to_string(::getpid()) +
                                                "." + std::to_string(rd()) + ".part");
  std::error_code ec;
  if (!fs::copy_file(source, temp, fs::copy_options::overwrite_existing, ec) || ec) {
    fs::remove(temp, ec);
    ShowMessage(StringId::SaveFailed);
    return false;
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    ShowMessage(StringId::SaveFailed);
    return false;
  }
  NotifyStoreFileChanged(target);
  return true;
}

fs::path MaterialStore::RelatedTextPath(std::string_view serialText) {
  const auto root = Root();
  return root ? RelatedTextIn(*root, serialText) : fs::path();
}

fs::path MaterialStore::InfoFilePath(std::string_view serialText) {
  const auto root = Root();
  if (!root) return {};
  fs::path file = InfoFileIn(*root, serialText);
  if (!EnsureFolder(file.parent_path())) {
    ShowMessage(StringId::StoreFolderCreateFailed);
    return {};
  }
  return file;
}

Serial MaterialStore::PeekNextSerial() const { return ParseSerial(settings::Get(settings_, settings::Sys::No)); }

void MaterialStore::CommitSerial(Serial used) { settings::Set(settings_, settings::Sys::No, FormatSerial(used + 1)); }

std::optional<Serial> MaterialStore::ReserveSerial() {
  const auto root = Root();
  if (!root) return std::nullopt;
  return store::ReserveSerial(*root, PeekNextSerial());
}

Serial MaterialStore::SerialWalkEnd(const fs::path& root) const { return store::SerialWalkEnd(root, PeekNextSerial()); }

bool MaterialStore::DeleteMaterial(Serial number, std::string_view typeWord) {
  const auto root = Root();
  if (!root) return false;
  const std::string serialText = FormatSerial(number);
  std::error_code ec;
  // Each removal may fail (missing, in use): the store then behaves as if it had succeeded.
  fs::remove(InfoFileIn(*root, serialText), ec);
  fs::remove(DataFileIn(*root, typeWord, serialText), ec);
  fs::path text = DataFileIn(*root, kTextType, serialText);
  fs::remove(text, ec);
  text.replace_extension(".txt");
  fs::remove(text, ec);
  NotifyMaterialChanged(*root, number);
  return true;
}

bool MaterialStore::OpenFolderInBrowser(const fs::path& path) {
  const fs::path folder = path.parent_path();
  if (folders_ == nullptr || folder.empty() || !folders_->OpenFolder(folder)) {
    ShowMessage(StringId::FileBrowserStartFailed);
    return false;
  }
  return true;
}

std::unique_ptr<platform::Picture> MaterialStore::LoadMaterialImage(std::string_view typeWord,
                                                                    std::string_view serialText,
                                                                    const platform::PictureCodec& codec,
                                                                    std::int32_t& transparentColour) {
  (void)transparentColour;
  const auto root = Root();
  if (!root) return nullptr;
  const fs::path file = DataFileIn(*root, typeWord, serialText);
  if (!platform::IsRegularFile(file)) return nullptr;
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::unique_ptr<platform::Picture> picture;
  if (!in.bad()) picture = codec.Decode(bytes);
  if (!picture) ShowMessage(StringId::ImageLoadFailed, file.string() + "\n");
  return picture;
}

}  // namespace plume::store
