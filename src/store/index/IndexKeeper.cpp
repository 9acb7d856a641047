#include "store/index/IndexKeeper.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "store/MaterialStore.h"

namespace plume::store::index {

namespace fs = std::filesystem;

namespace {

/// Materials whose own text is read between two looks at the queue.
constexpr int kBodiesPerRound = 4;

bool SameRoot(const fs::path& a, const fs::path& b) { return a.lexically_normal() == b.lexically_normal(); }

}  // namespace

IndexKeeper::IndexKeeper(fs::path storeRoot, fs::path dbFile)
    : root_(std::move(storeRoot)), file_(std::move(dbFile)), worker_([this] { Run(); }) {}

IndexKeeper::~IndexKeeper() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

void IndexKeeper::MaterialChanged(const fs::path& root, Serial serial) {
  if (!SameRoot(root, root_)) return;
  {
    std::lock_guard lock(mutex_);
    changed_.insert(serial);
    ++announced_;
  }
  wake_.notify_all();
}

void IndexKeeper::RequestCatchUp(Serial bound) {
  {
    std::lock_guard lock(mutex_);
    catchUpBound_ = std::max(catchUpBound_, bound);
    lastBound_ = std::max(lastBound_, bound);
  }
  wake_.notify_all();
}

void IndexKeeper::SetBodyReader(BodyReader* reader) {
  {
    std::lock_guard lock(mutex_);
    bodies_ = reader;
    bodiesIdle_ = false;
  }
  wake_.notify_all();
}

KeeperStatus IndexKeeper::Status() const {
  std::lock_guard lock(mutex_);
  return status_;
}

bool IndexKeeper::HasWork() const {
  return reopen_ || !changed_.empty() || catchUpBound_ >= 0 || (bodies_ != nullptr && !bodiesIdle_);
}

void IndexKeeper::WaitIdle(bool withBodies) {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [&] {
    return stop_ || (!busy_ && !reopen_ && changed_.empty() && catchUpBound_ < 0 &&
                     (!withBodies || bodies_ == nullptr || bodiesIdle_));
  });
}

void IndexKeeper::Run() {
  // The index waits for the user's work: the worker runs at a low priority (Linux: per thread).
  setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 10);
  std::unique_ptr<MaterialIndex> index;
  for (;;) {
    std::set<Serial> changes;
    Serial bound = -1;
    BodyReader* reader = nullptr;
    std::uint64_t taken = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return stop_ || HasWork(); });
      if (stop_) break;
      changes.swap(changed_);
      taken = announced_;
      bound = catchUpBound_;
      catchUpBound_ = -1;
      reader = bodies_;
      busy_ = true;
    }
    bool discard = false;
    {
      std::lock_guard lock(mutex_);
      discard = reopen_ || (index != nullptr && !index->Healthy());
      reopen_ = false;
    }
    if (index == nullptr || discard) {
      index.reset();
      {
        std::lock_guard readerLock(readerMutex_);
        reader_.reset();
      }
      if (discard) MaterialIndex::Discard(file_);
      {
        std::lock_guard lock(mutex_);
        status_.ready = false;
      }
      index = MaterialIndex::Open(file_, root_);
      std::lock_guard lock(mutex_);
      // A database made anew knows nothing: walk the whole store again.
      if (index != nullptr && index->Rebuilt()) bound = std::max(bound, lastBound_);
    }
    if (index != nullptr) {
      for (const Serial serial : changes) index->Refresh(serial);
      {
        std::lock_guard lock(mutex_);
        applied_ = taken;
      }
      idle_.notify_all();
      if (bound >= 0) {
        {
          std::lock_guard lock(mutex_);
          status_.walking = true;
          status_.walked = 0;
          status_.total = bound;
        }
        const CatchUpResult walk = index->CatchUp(bound, [this](Serial walked, Serial total) {
          std::lock_guard lock(mutex_);
          status_.walked = walked;
          status_.total = total;
          return !stop_;
        });
        std::lock_guard lock(mutex_);
        status_.walking = false;
        if (walk.complete) status_.ready = true;
      } else if (reader != nullptr) {
        const std::vector<BodyTask> tasks = index->PendingBodies(kBodiesPerRound);
        {
          std::lock_guard lock(mutex_);
          status_.readingBodies = !tasks.empty();
          if (tasks.empty()) bodiesIdle_ = true;
        }
        for (const BodyTask& task : tasks) {
          const auto body = reader->ReadBody(MaterialStore::DataFileIn(root_, task.ext, FormatSerial(task.serial)),
                                             task.ext);
          // A file that cannot be read now counts as read: it is not tried again until it changes.
          index->SetBody(task.serial, task.dataStamp, body.value_or(std::string()));
          std::lock_guard lock(mutex_);
          if (stop_ || !changed_.empty() || catchUpBound_ >= 0) break;
        }
      }
      const std::int64_t materials = index->MaterialCount();
      const std::int64_t bodies = index->BodiesDone();
      std::lock_guard lock(mutex_);
      status_.materials = materials;
      status_.bodiesDone = bodies;
      if (!changes.empty()) bodiesIdle_ = false;
      // Damage met on the way: the next round makes the database anew and walks again.
      if (!index->Healthy()) reopen_ = true;
    } else {
      // No database can be made: the window keeps scanning; nothing more to do here.
      std::lock_guard lock(mutex_);
      bodiesIdle_ = true;
    }
    {
      std::lock_guard lock(mutex_);
      busy_ = false;
    }
    idle_.notify_all();
  }
  {
    std::lock_guard lock(mutex_);
    busy_ = false;
  }
  idle_.notify_all();
}

bool IndexKeeper::WaitForChanges(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  const std::uint64_t wanted = announced_;
  return idle_.wait_for(lock, limit, [&] { return stop_ || applied_ >= wanted || !status_.ready; });
}

MaterialIndex* IndexKeeper::Reader() {
  if (reader_ == nullptr || !reader_->Healthy()) reader_ = MaterialIndex::Open(file_, root_, false);
  return reader_.get();
}

std::optional<ScanResult> IndexKeeper::Search(Serial bound, int hitMax, const SearchConditions& conditions,
                                              ScanObserver& observer, platform::WindowRef owner) {
  if (!Status().ready) return std::nullopt;
  std::lock_guard readerLock(readerMutex_);
  MaterialIndex* reader = Reader();
  if (reader == nullptr) return std::nullopt;
  auto result = reader->Search(bound, hitMax, conditions, observer, owner);
  if (!reader->Healthy()) {
    // A damaged database: the worker makes it anew and walks the store; searches scan meanwhile.
    {
      std::lock_guard lock(mutex_);
      reopen_ = true;
      status_.ready = false;
    }
    wake_.notify_all();
  }
  return result;
}

std::optional<MaterialInfo> IndexKeeper::FindByHash(std::string_view sha256, Serial* serial) {
  if (!Status().ready) return std::nullopt;
  std::lock_guard readerLock(readerMutex_);
  MaterialIndex* reader = Reader();
  return reader != nullptr ? reader->FindByHash(sha256, serial) : std::nullopt;
}

std::optional<MaterialInfo> IndexKeeper::FindByAddress(std::string_view getFrom, Serial* serial) {
  if (!Status().ready) return std::nullopt;
  std::lock_guard readerLock(readerMutex_);
  MaterialIndex* reader = Reader();
  return reader != nullptr ? reader->FindByAddress(getFrom, serial) : std::nullopt;
}

}  // namespace plume::store::index
