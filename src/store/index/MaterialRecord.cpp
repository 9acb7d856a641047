#include "store/index/MaterialRecord.h"

#include <sys/stat.h>

#include <sstream>

#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "store/InfoFileFormat.h"
#include "store/MaterialStore.h"
#include "store/SearchRules.h"

namespace plume::store::index {

namespace fs = std::filesystem;

FileStamp StampOf(const fs::path& file) {
  struct stat st {};
  if (!platform::IsRegularFile(file, true, &st)) return {};
  return FileStamp{static_cast<std::int64_t>(st.st_size),
                   static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::optional<MaterialRecord> ReadMaterialRecord(const fs::path& root, Serial serial) {
  MaterialRecord record;
  record.serial = serial;
  const std::string serialText = FormatSerial(serial);
  const fs::path infoFile = MaterialStore::InfoFileIn(root, serialText);
  // The stamp first: a change during the read leaves a stamp that differs next time.
  record.infoStamp = StampOf(infoFile);
  std::string bytes;
  if (record.infoStamp.size < 0 || !ReadFileInto(infoFile, bytes)) return std::nullopt;
  std::istringstream in(bytes);
  record.info = ReadInfoFrom(in);
  in.clear();
  in.seekg(0);
  const OwnerSummary owners = ReadOwnersFrom(in);
  record.ownerCount = owners.count;
  record.firstOwner = platform::Utf8ToCp932(owners.firstOwner.string());
  const fs::path text = MaterialStore::RelatedTextIn(root, serialText);
  record.textStamp = StampOf(text);
  if (record.textStamp.size > 0 && !ReadFileInto(text, record.related)) record.related.clear();
  if (!record.info.ext.empty()) record.dataStamp = StampOf(MaterialStore::DataFileIn(root, record.info.ext, serialText));
  return record;
}

std::optional<SearchRow> RowOfMaterial(const fs::path& root, Serial serial) {
  const auto record = ReadMaterialRecord(root, serial);
  if (!record || record->info.ext.empty()) return std::nullopt;
  return MaterialRow(1, FormatSerial(serial), record->info, record->ownerCount, record->firstOwner);
}

}  // namespace plume::store::index
