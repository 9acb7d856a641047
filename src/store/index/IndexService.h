#pragma once
// The material index as the program uses it: one keeper for the store folder
// set in the settings (made again when the folder changes), listening to the
// store's own changes, walking the store on request, reading the text inside
// materials while the settings allow it; and the search that takes the index
// when it is ready and the scan otherwise, so a search never waits for it.

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/SettingsStore.h"
#include "store/MaterialScan.h"
#include "store/MaterialStore.h"
#include "store/index/IndexKeeper.h"

namespace plume::store::index {

class IndexService {
 public:
  /// `bodies` reads the text inside materials (null: full text never read).
  /// `databaseFile` overrides the cache location (tests); empty: MaterialIndex::DefaultLocation.
  IndexService(MaterialStore& store, platform::SettingsStore& settings, BodyReader* bodies = nullptr,
               std::filesystem::path databaseFile = {});
  ~IndexService();
  IndexService(const IndexService&) = delete;
  IndexService& operator=(const IndexService&) = delete;

  /// The keeper of the store folder set now (asks nothing); null without one.
  IndexKeeper* Keeper();
  /// Starts a walk for others' changes (start-up, the search dialog opening) and
  /// applies the full-text setting.
  void CatchUp();
  /// The search: through the index when it has been walked, else the scan.
  ScanResult Search(const std::filesystem::path& root, Serial bound, int hitMax, const SearchConditions& conditions,
                    ScanObserver& observer, platform::WindowRef owner = nullptr);
  /// The status of the current keeper; all zero without one.
  KeeperStatus Status();
  /// Whether the settings let the text inside materials be read and searched.
  bool FullTextEnabled() const;

 private:
  MaterialStore& store_;
  platform::SettingsStore& settings_;
  BodyReader* bodies_;
  std::filesystem::path databaseFile_;
  std::unique_ptr<IndexKeeper> keeper_;
};

}  // namespace plume::store::index
