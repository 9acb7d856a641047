#include "store/MaterialScan.h"

#include <algorithm>
#include <sstream>
#include <system_error>

#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "store/InfoFile.h"
#include "store/InfoFileFormat.h"
#include "store/MaterialStore.h"
#include "store/StoreSerials.h"
#include "store/Sha256.h"

namespace plume::store {

namespace fs = std::filesystem;

namespace {

/// How many serials pass between two calls of KeepGoing.
constexpr Serial kPumpEvery = 64;

bool IsPdf(std::string_view ext) {
  return ext.size() == 3 && (ext[0] | 0x20) == 'p' && (ext[1] | 0x20) == 'd' && (ext[2] | 0x20) == 'f';
}

}  // namespace

bool PassRow(ScanResult& result, ScanObserver& observer, const SearchRow& row, int limit, platform::WindowRef owner) {
  ++result.hits;
  observer.RowFound(row);
  if (result.hits < limit) return true;
  result.limitReached = true;
  platform::ShowMessage(platform::StringId::HitLimitReached, {}, platform::MsgIcon::Information,
                        platform::MsgButtons::Ok, owner);
  return false;
}

ScanResult ScanStore(const fs::path& root, Serial bound, int hitMax, const SearchConditions& c,
                     ScanObserver& observer, platform::WindowRef owner) {
  ScanResult result;
  result.ran = true;
  const int limit = std::max(1, hitMax);
  observer.ScanStarted(static_cast<int>(std::min<Serial>(bound, limit)));
  const bool dateActive = c.date1 != kNoLowerDate || c.date2 != kNoUpperDate;
  std::string bytes;
  for (Serial n = 0; n < bound; ++n) {
    if (n % kPumpEvery == kPumpEvery - 1 && !observer.KeepGoing()) {
      result.stopped = true;
      break;
    }
    const std::string serial = FormatSerial(n);
    const fs::path infoFile = MaterialStore::InfoFileIn(root, serial);
    if (!ReadFileInto(infoFile, bytes)) continue;
    std::istringstream in(bytes);
    MaterialInfo info = ReadInfoFrom(in);
    info.ext = MaterialStore::StoredTypeIn(root, info.ext, serial);
    if (info.ext.empty()) continue;
    if (!TypePasses(info.ext, c.typeIndex)) continue;
    if (dateActive && !DatePasses(info.createDate, c.date1, c.date2)) continue;
    if (!c.text.empty() && !ContainsOnBoundary(info.title, c.text) &&
        !RelatedTextFileContains(MaterialStore::RelatedTextIn(root, serial), c.text)) {
      continue;
    }
    if (!IsPdf(info.ext) && info.sha256.empty()) {
      const fs::path data = MaterialStore::DataFileIn(root, info.ext, serial);
      if (platform::IsRegularFile(data)) {
        std::string hash = FileSha256(data);
        if (!hash.empty() && InfoFile::AppendAt(infoFile, Sha256Block(hash))) info.sha256 = std::move(hash);
      }
    }
    in.clear();
    in.seekg(0);
    const OwnerSummary owners = ReadOwnersFrom(in);
    SearchRow row = MaterialRow(result.hits + 1, serial, info, owners.count,
                                platform::Utf8ToCp932(owners.firstOwner.string()));
    if (!PassRow(result, observer, row, limit, owner)) break;
  }
  return result;
}

ScanResult ScanMaterials(MaterialStore& store, platform::SettingsStore& settings, const SearchConditions& c,
                         ScanObserver& observer, platform::WindowRef owner) {
  const auto root = store.Root();
  if (!root) return {};
  const Serial bound = SerialWalkEnd(*root, store.PeekNextSerial());
  return ScanStore(*root, bound, platform::settings::Get(settings, platform::settings::KanSet::HitMax), c, observer,
                   owner);
}

}  // namespace plume::store
