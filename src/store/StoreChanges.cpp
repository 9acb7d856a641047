#include "store/StoreChanges.h"

#include <atomic>

namespace plume::store {

namespace {

std::atomic<StoreChangeListener*> g_listener{nullptr};

}  // namespace

StoreChangeListener* SetStoreChangeListener(StoreChangeListener* listener) { return g_listener.exchange(listener); }

void NotifyMaterialChanged(const std::filesystem::path& root, Serial serial) {
  if (StoreChangeListener* listener = g_listener.load()) listener->MaterialChanged(root, serial);
}

void NotifyStoreFileChanged(const std::filesystem::path& file) {
  if (g_listener.load() == nullptr) return;
  const std::string stem = file.stem().string();
  if (stem.size() < 8 || stem.find_first_not_of("0123456789") != std::string::npos) return;
  const std::filesystem::path bucket = file.parent_path();
  if (bucket.filename().string() != BucketOf(stem)) return;
  NotifyMaterialChanged(bucket.parent_path().parent_path(), ParseSerial(stem));
}

}  // namespace plume::store
