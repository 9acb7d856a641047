#pragma once
// The material search: walks every serial number below the bound, reads each
// information file and lists the materials that pass the type, date and text
// filters. Fills in missing image hashes on the way. No index is kept.

#include <filesystem>

#include "platform/MessageSink.h"
#include "store/SearchRules.h"
#include "store/SearchRow.h"
#include "store/StorePaths.h"

namespace plume::platform {
class SettingsStore;
}

namespace plume::store {

class MaterialStore;

/// Receives the rows of a scan as they are found.
class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  /// Before the first serial: the progress range is 0..progressMax.
  virtual void ScanStarted(int progressMax) { (void)progressMax; }
  /// A row passed every filter; row.col[kColNo] holds its number from 1.
  virtual void RowFound(const SearchRow& row) = 0;
  /// Called every few serials: a window pumps its events here. False stops the scan.
  virtual bool KeepGoing() { return true; }
};

/// How a scan ended.
struct ScanResult {
  bool ran = false;           ///< false without a store
  int hits = 0;               ///< rows found
  bool limitReached = false;  ///< stopped at the hit limit (30047 shown)
  bool stopped = false;       ///< the observer asked to stop
};

/// Counts `row` as found and passes it to `observer`; at `limit` rows marks
/// the limit reached, shows 30047 and gives false (the search stops there).
bool PassRow(ScanResult& result, ScanObserver& observer, const SearchRow& row, int limit, platform::WindowRef owner);

/// Scans the store below `root` for serials 0..bound-1. Shows 30047 when
/// `hitMax` rows were found and stops there.
ScanResult ScanStore(const std::filesystem::path& root, Serial bound, int hitMax, const SearchConditions& conditions,
                     ScanObserver& observer, platform::WindowRef owner = nullptr);

/// The scan of the user's store: resolves the store path (its question when
/// unset), the bound from the counter and the hit limit from the settings.
ScanResult ScanMaterials(MaterialStore& store, platform::SettingsStore& settings, const SearchConditions& conditions,
                         ScanObserver& observer, platform::WindowRef owner = nullptr);

}  // namespace plume::store
