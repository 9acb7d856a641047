#pragma once
// Keeps a recovery copy of the open document while it has unsaved changes.
// The first change schedules a copy a few seconds later; further changes
// schedule the next one no sooner than the interval after the last. Taking a
// copy copies the chart's tables on the caller's thread (the pictures are
// shared, not copied) and writes the copy on a worker thread: the chart data
// file, then the cabinet, then the record that names it, each by a temporary
// file and a rename. Removing the copy (a save, a discarded close, a new or
// another opened document) wins over a copy being written: the worker sees
// that it has lost and removes what it wrote.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "document/ChartDocument.h"
#include "document/DocumentChanges.h"
#include "document/RecoveryFolder.h"
#include "platform/Cabinet.h"
#include "platform/FileDescriptor.h"

namespace plume::document {

class RecoveryKeeper {
 public:
  using Clock = std::chrono::steady_clock;

  /// What a copy records besides the chart; every member may be empty.
  struct Source {
    std::function<std::filesystem::path()> original;         ///< the document's file (or the one it was restored from)
    std::function<std::optional<FileStamp>()> base;           ///< that file as the document last read or wrote it
    std::function<bool()> busy;                               ///< a save or another long job runs: wait
  };

  /// What the last copy cost.
  struct Stats {
    std::chrono::nanoseconds snapshot{0};  ///< on the caller's thread
    std::chrono::nanoseconds write{0};     ///< on the worker
    bool written = false;                  ///< the copy is in place
    int copies = 0;                        ///< copies put in place so far
  };

  /// Takes the program's lock in `folder` (created when missing); nullptr when
  /// the folder cannot be used (the program then keeps no copies).
  static std::unique_ptr<RecoveryKeeper> Start(const std::filesystem::path& folder, const ChartDocument& doc,
                                               const platform::Cabinet& cabinet, Source source);
  /// Lets a copy being written lose, waits for the worker and removes the
  /// copy and the lock: the program ends with the user's answer given.
  ~RecoveryKeeper();
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  /// The shortest time between two copies (the settings sheet's interval).
  void SetInterval(std::chrono::milliseconds interval) { interval_ = interval; }
  /// How long after the first unsaved change the first copy is taken.
  void SetFirstDelay(std::chrono::milliseconds delay) { firstDelay_ = delay; }

  /// The document's announcements: Modified schedules a copy, Unmodified removes it.
  void OnChange(Change change, Clock::time_point now);
  /// Takes the copy when one is due at `now`, the document is modified, no
  /// copy is being written and no long job runs. True when one was started.
  bool Tick(Clock::time_point now);
  /// Takes a copy now whatever the schedule (a document without changes gets none).
  bool CopyNow(Clock::time_point now);
  /// Removes the copy; a copy being written loses.
  void Remove();
  /// Makes a dead program's copy this program's own (a restored document):
  /// it stays until this program's next copy replaces it or it is removed.
  bool Adopt(const RecoveryEntry& entry);
  /// Waits until no copy is being written.
  void WaitIdle();

  std::optional<Clock::time_point> Due() const { return due_; }
  /// True while a copy is being written.
  bool Writing() const { return working_; }
  Stats LastStats() const;
  const std::string& Id() const { return id_; }
  const RecoveryFolder& Folder() const { return folder_; }
  /// The copy in place now; empty when there is none.
  std::filesystem::path CopyPath() const;

 private:
  struct Job;
  RecoveryKeeper(RecoveryFolder folder, std::string id, platform::FileDescriptor lockFd, const ChartDocument& doc,
                 const platform::Cabinet& cabinet, Source source);
  void Write(const Job& job);
  bool Commit(const Job& job, const std::string& copyName, const std::filesystem::path& recordTemp);
  void JoinFinished(bool wait);

  RecoveryFolder folder_;
  std::string id_;
  platform::FileDescriptor lockFd_;
  const ChartDocument& doc_;
  const platform::Cabinet& cabinet_;
  Source source_;
  std::unique_ptr<ChartDocument> snapshot_;  ///< the copied state; the worker's while it runs

  std::chrono::milliseconds interval_{std::chrono::minutes(1)};
  std::chrono::milliseconds firstDelay_{std::chrono::seconds(3)};
  std::optional<Clock::time_point> due_;
  std::optional<Clock::time_point> lastStart_;
  unsigned long sequence_ = 0;

  std::thread worker_;
  std::atomic<bool> working_{false};
  // Guarded by mutex_: which copy is in place, and the generation a removal
  // advances so that a copy started before it cannot be put in place after it.
  mutable std::mutex mutex_;
  std::string committed_;
  std::atomic<unsigned long> generation_{0};
  Stats stats_;
};

}  // namespace plume::document
