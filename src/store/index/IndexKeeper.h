#pragma once
// Keeps the material index of one store current from a worker thread: this
// process's own changes arrive through the store's change announcements and
// are applied at once; the changes of other processes and computers are found
// by a walk of the store (on start and when the search dialog opens); the
// text inside the materials is read afterwards, a few at a time, when full
// text is on. Nothing here ever makes the caller wait for the index.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "store/StoreChanges.h"
#include "store/index/BodyReader.h"
#include "store/index/MaterialIndex.h"

namespace plume::store::index {

/// What the worker is doing, for the dialog's and the status bar's progress.
struct KeeperStatus {
  bool ready = false;      ///< the index has been walked once: searches use it
  bool walking = false;    ///< a walk of the store is running
  Serial walked = 0;       ///< serials looked at by the running walk
  Serial total = 0;        ///< serials the running walk will look at
  std::int64_t materials = 0;   ///< materials in the index
  std::int64_t bodiesDone = 0;  ///< materials whose own text has been read
  bool readingBodies = false;   ///< the text inside materials is being read
};

class IndexKeeper : public StoreChangeListener {
 public:
  /// Starts the worker for the store at `storeRoot` with its database at `dbFile`
  /// (MaterialIndex::DefaultLocation for the window). Opening happens on the worker.
  IndexKeeper(std::filesystem::path storeRoot, std::filesystem::path dbFile);
  ~IndexKeeper() override;
  IndexKeeper(const IndexKeeper&) = delete;
  IndexKeeper& operator=(const IndexKeeper&) = delete;

  const std::filesystem::path& StoreRoot() const { return root_; }

  /// A file of one material changed in this process: read it again soon.
  void MaterialChanged(const std::filesystem::path& root, Serial serial) override;
  /// Walk serials 0..bound-1 for the changes of others.
  void RequestCatchUp(Serial bound);
  /// Read the text inside the materials with `reader` (null: stop reading).
  void SetBodyReader(BodyReader* reader);

  KeeperStatus Status() const;
  /// Blocks until every announced change and requested walk is applied (the
  /// command-line tool and tests; the window never calls it). With
  /// `withBodies`, also until every material's own text has been read.
  void WaitIdle(bool withBodies = false);
  /// Waits at most `limit` until every change announced so far is in the index
  /// (a lookup right after this process's own registration); false on time-out.
  bool WaitForChanges(std::chrono::milliseconds limit);

  /// The search over the index on the calling thread. Nullopt while the
  /// index has not been walked once or cannot answer: the caller then scans.
  std::optional<ScanResult> Search(Serial bound, int hitMax, const SearchConditions& conditions,
                                   ScanObserver& observer, platform::WindowRef owner = nullptr);
  /// The first material with this hash or address, from the caller's thread; nullopt when none or not ready.
  std::optional<MaterialInfo> FindByHash(std::string_view sha256, Serial* serial);
  std::optional<MaterialInfo> FindByAddress(std::string_view getFrom, Serial* serial);

 private:
  void Run();
  bool HasWork() const;
  MaterialIndex* Reader();

  const std::filesystem::path root_;
  const std::filesystem::path file_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::set<Serial> changed_;
  std::uint64_t announced_ = 0;  ///< changes announced so far
  std::uint64_t applied_ = 0;    ///< of those, the ones in the index
  Serial catchUpBound_ = -1;
  BodyReader* bodies_ = nullptr;
  bool bodiesIdle_ = false;
  bool busy_ = false;
  bool reopen_ = false;
  bool stop_ = false;
  KeeperStatus status_;
  Serial lastBound_ = -1;
  std::mutex readerMutex_;
  std::unique_ptr<MaterialIndex> reader_;
  std::thread worker_;
};

}  // namespace plume::store::index
