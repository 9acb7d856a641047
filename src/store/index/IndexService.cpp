#include "store/index/IndexService.h"

#include "platform/SettingsTable.h"
#include "store/StoreSerials.h"

namespace plume::store::index {

namespace fs = std::filesystem;

IndexService::IndexService(MaterialStore& store, platform::SettingsStore& settings, BodyReader* bodies,
                           fs::path databaseFile)
    : store_(store), settings_(settings), bodies_(bodies), databaseFile_(std::move(databaseFile)) {}

IndexService::~IndexService() {
  if (keeper_ != nullptr) SetStoreChangeListener(nullptr);
}

bool IndexService::FullTextEnabled() const {
  return bodies_ != nullptr && platform::settings::Get(settings_, platform::settings::KanSet::FullText) == 1;
}

IndexKeeper* IndexService::Keeper() {
  const std::string storePath = platform::settings::Get(settings_, platform::settings::KanSet::StorePath);
  if (storePath.empty()) return nullptr;
  const fs::path root = MaterialStore::RootBelow(storePath);
  if (keeper_ == nullptr || keeper_->StoreRoot() != root) {
    SetStoreChangeListener(nullptr);
    keeper_.reset();
    keeper_ = std::make_unique<IndexKeeper>(root, databaseFile_.empty() ? MaterialIndex::DefaultLocation(root)
                                                                        : databaseFile_);
    SetStoreChangeListener(keeper_.get());
  }
  return keeper_.get();
}

void IndexService::CatchUp() {
  IndexKeeper* keeper = Keeper();
  if (keeper == nullptr) return;
  keeper->SetBodyReader(FullTextEnabled() ? bodies_ : nullptr);
  keeper->RequestCatchUp(store::SerialWalkEnd(keeper->StoreRoot(), store_.PeekNextSerial()));
}

ScanResult IndexService::Search(const fs::path& root, Serial bound, int hitMax, const SearchConditions& conditions,
                                ScanObserver& observer, platform::WindowRef owner) {
  IndexKeeper* keeper = Keeper();
  if (keeper != nullptr && keeper->StoreRoot() == root) {
    SearchConditions c = conditions;
    c.fullText = c.fullText && FullTextEnabled();
    if (auto result = keeper->Search(bound, hitMax, c, observer, owner)) return *result;
  }
  return ScanStore(root, bound, hitMax, conditions, observer, owner);
}

KeeperStatus IndexService::Status() {
  return keeper_ != nullptr ? keeper_->Status() : KeeperStatus{};
}

}  // namespace plume::store::index
