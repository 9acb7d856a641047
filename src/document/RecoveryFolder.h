#pragma once
// The per-user folder of recovery copies. Each running program has an id
// ("<pid>-<random>") and holds an advisory lock on "<id>.lock" while it runs;
// its copy is "<id>.<n>.pbd" (a document file like any other) named by the
// record "<id>.rec". The lock, not the process id, tells a live owner from a
// dead one, so a reused process id never hides a copy and a copy of a
// running program is never offered.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/ChartDocument.h"
#include "document/RecoveryRecord.h"
#include "platform/Cabinet.h"
#include "platform/Picture.h"

namespace plume::document {

/// $XDG_STATE_HOME/Plumeboard/recovery, else ~/.local/state/Plumeboard/recovery;
/// empty when neither variable is set.
std::filesystem::path DefaultRecoveryFolder();

/// Removes what a save cut short by the end of its program left beside the
/// document `original` and beside its backup (their temporary files).
void RemoveDeadSaveLeftovers(const std::filesystem::path& original);

/// One copy left by a program that no longer runs.
struct RecoveryEntry {
  std::string id;
  std::filesystem::path recordPath;
  std::optional<RecoveryRecord> record;  ///< nullopt: the record cannot be read
  std::filesystem::path copyPath;        ///< empty without a readable record
};

class RecoveryFolder {
 public:
  explicit RecoveryFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  const std::filesystem::path& Path() const { return folder_; }
  /// Where copies that cannot be read are kept.
  std::filesystem::path DamagedFolder() const { return folder_ / "damaged"; }

  /// Creates the folder (only this user may enter it); false when it cannot.
  bool Prepare() const;

  /// True while the program with this id runs (it holds its lock).
  bool OwnerRuns(const std::string& id) const;

  /// Removes what programs that no longer run left beside their copies: half-
  /// written files, copies no record names, records whose copy is gone, locks
  /// without a record. Returns the copies of those programs, oldest first; an
  /// entry whose record cannot be read is among them (record nullopt).
  std::vector<RecoveryEntry> DeadCopies() const;

  /// Reads the copy of `entry` into `into`. On failure `into` holds a new
  /// document and `why` the reason (the message a failed open would show).
  bool Load(const RecoveryEntry& entry, const platform::Cabinet& cabinet, const platform::PictureCodec& codec,
            ChartDocument& into, std::string& why) const;

  /// Moves the record and copy of `entry` into the damaged folder; the path
  /// they were moved to (empty when they could not be moved).
  std::filesystem::path KeepAside(const RecoveryEntry& entry) const;
  /// Removes the copy, its record and its owner's lock.
  void Remove(const RecoveryEntry& entry) const;

  /// File names: "<id>.lock", "<id>.rec", "<id>.<n>.pbd".
  static std::string LockName(const std::string& id) { return id + ".lock"; }
  static std::string RecordName(const std::string& id) { return id + ".rec"; }
  static std::string CopyName(const std::string& id, unsigned long n) { return id + "." + std::to_string(n) + ".pbd"; }

 private:
  std::filesystem::path folder_;
};

}  // namespace plume::document
