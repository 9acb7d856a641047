#pragma once
// The material index: one SQLite database per user and store, kept in the
// user's cache folder (never in the store, which may be a network share),
// holding every material's values, owners, related text and the text found in
// its data file, with a full-text table of character pairs over them. It is a
// cache: a missing, damaged, foreign or older database is discarded and built
// again from the store's files, which stay the truth.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/MessageSink.h"
#include "store/MaterialScan.h"
#include "store/index/MaterialRecord.h"

struct sqlite3;
struct sqlite3_stmt;

namespace plume::store::index {

/// How a catch-up with the store ended.
struct CatchUpResult {
  Serial walked = 0;   ///< serial numbers looked at
  Serial updated = 0;  ///< materials read again (new or changed)
  Serial removed = 0;  ///< materials gone from the store
  bool complete = false;  ///< false when stopped or on a database error
};

/// Text found inside a material's data file, waiting or done.
struct BodyTask {
  Serial serial = 0;
  std::string ext;
  FileStamp dataStamp;
};

class MaterialIndex {
 public:
  /// The database of the store at `storeRoot` for this user:
  /// $XDG_CACHE_HOME/Plumeboard (else ~/.cache/Plumeboard), named after the store's path.
  static std::filesystem::path DefaultLocation(const std::filesystem::path& storeRoot);

  /// Opens the database `file` for the store at `storeRoot`; one that cannot
  /// be read, belongs to another store or program, or has an older layout is
  /// deleted and made anew (empty). Null only when no database can be made
  /// there, or, with `mayRebuild` false (a second reader), when it is not sound.
  static std::unique_ptr<MaterialIndex> Open(const std::filesystem::path& file,
                                             const std::filesystem::path& storeRoot, bool mayRebuild = true);
  /// Deletes the database `file` and its journal files.
  static void Discard(const std::filesystem::path& file);
  ~MaterialIndex();
  MaterialIndex(const MaterialIndex&) = delete;
  MaterialIndex& operator=(const MaterialIndex&) = delete;

  const std::filesystem::path& File() const { return file_; }
  const std::filesystem::path& StoreRoot() const { return root_; }
  /// Whether the database was made anew by Open.
  bool Rebuilt() const { return rebuilt_; }
  /// False once the database reported damage; the owner then opens it again.
  bool Healthy() const { return healthy_; }

  /// Brings the index in line with serials 0..bound-1 of the store: reads the
  /// materials that are new or whose information file or related text changed
  /// size or time, and drops the ones gone. `progress` (walked, bound) is
  /// called every few hundred serials; false stops the walk.
  CatchUpResult CatchUp(Serial bound, const std::function<bool(Serial, Serial)>& progress = {});
  /// Reads material `serial` again from the store (removes it when it is gone).
  bool Refresh(Serial serial);

  /// The search over the index: the same rows in the same order as the scan
  /// of serials 0..bound-1 (ScanStore), hash backfill and hit limit included.
  /// With `conditions.fullText` the text is also looked for in the materials'
  /// own text. Nullopt on a database error before any row was found.
  std::optional<ScanResult> Search(Serial bound, int hitMax, const SearchConditions& conditions,
                                   ScanObserver& observer, platform::WindowRef owner = nullptr);

  /// The first material (lowest serial) whose data file has hash `sha256`, or whose address is `getFrom`.
  std::optional<MaterialInfo> FindByHash(std::string_view sha256, Serial* serial);
  std::optional<MaterialInfo> FindByAddress(std::string_view getFrom, Serial* serial);

  /// Materials whose own text has not been read for their current data file, serial order, at most `limit`.
  std::vector<BodyTask> PendingBodies(int limit);
  /// Records the text read from material `serial`'s data file (CP932) for `stamp`.
  bool SetBody(Serial serial, const FileStamp& stamp, std::string_view body);
  /// Materials in the index, and those whose own text is read.
  std::int64_t MaterialCount();
  std::int64_t BodiesDone();

 private:
  MaterialIndex(sqlite3* db, std::filesystem::path file, std::filesystem::path root);
  bool Put(const MaterialRecord& record, bool known);
  bool Remove(Serial serial);
  /// The full-text row of a material: added, or forgotten with the values it was added with.
  enum class Grams { kAdd, kForget };
  bool SetGrams(Serial serial, Grams what, std::string_view title, std::string_view related, std::string_view body);
  bool Exec(const char* sql);
  sqlite3_stmt* Prepare(const char* sql);
  bool Ok(int rc);
  std::optional<MaterialInfo> FindBy(const char* column, std::string_view value, Serial* serial);

  sqlite3* db_;
  std::filesystem::path file_;
  std::filesystem::path root_;
  bool rebuilt_ = false;
  bool healthy_ = true;
};

}  // namespace plume::store::index
