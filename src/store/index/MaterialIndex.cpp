#include "store/index/MaterialIndex.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "store/InfoFile.h"
#include "store/InfoFileFormat.h"
#include "store/MaterialStore.h"
#include "store/SearchRules.h"
#include "store/Sha256.h"
#include "store/index/GramTokenizer.h"
#include "store/index/HitSnippet.h"
#include "store/index/IndexSchema.h"
#include "store/index/SqliteBytes.h"
#include "store/index/Statement.h"

namespace plume::store::index {

namespace fs = std::filesystem;

namespace {

/// How many serials pass between two progress calls, and puts between two commits.
constexpr Serial kProgressEvery = 512;
constexpr int kCommitEvery = 2000;
constexpr Serial kPumpEvery = 64;

/// plume_pass(ext, createDate, typeIndex, dateActive, date1, date2): the scan's type and date filters.
void PassFunction(sqlite3_context* context, int, sqlite3_value** v) {
  const bool pass = TypePasses(ValueBytes(v[0]), sqlite3_value_int(v[2])) &&
                    (sqlite3_value_int(v[3]) == 0 || DatePasses(ValueBytes(v[1]), ValueBytes(v[4]), ValueBytes(v[5])));
  sqlite3_result_int(context, pass ? 1 : 0);
}

bool IsPdf(std::string_view ext) {
  return ext.size() == 3 && (ext[0] | 0x20) == 'p' && (ext[1] | 0x20) == 'd' && (ext[2] | 0x20) == 'f';
}

/// Whether material values come with a text worth reading from the data file.
bool HasBody(std::string_view ext) {
  for (const std::string_view t : {"PDF", "JPEG", "PNG", "BMP", "GIF"}) {
    if (ext == t) return true;
  }
  return false;
}

}  // namespace

fs::path MaterialIndex::DefaultLocation(const fs::path& storeRoot) {
  fs::path cache;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && *xdg == '/') {
    cache = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    cache = fs::path(home) / ".cache";
  } else {
    cache = fs::temp_directory_path();
  }
  // The store's path made readable, with a hash so that two stores never share a name.
  const std::string path = storeRoot.lexically_normal().string();
  std::string name;
  for (const char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    if (name.size() < 80) name += plain ? c : '_';
  }
  const std::string hash =
      Sha256::HexOf(std::span(reinterpret_cast<const std::uint8_t*>(path.data()), path.size())).substr(0, 16);
  return cache / "Plumeboard" / ("index-" + name + "-" + hash + ".sqlite");
}

std::unique_ptr<MaterialIndex> MaterialIndex::Open(const fs::path& file, const fs::path& storeRoot, bool mayRebuild) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  const std::string rootText = storeRoot.lexically_normal().string();
  auto openAt = [&]() -> sqlite3* {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
      sqlite3_close(db);
      return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
  };

  bool rebuilt = false;
  sqlite3* db = openAt();
  if (db == nullptr || !IsIndexOf(db, rootText)) {
    sqlite3_close(db);
    if (!mayRebuild) return nullptr;
    Discard(file);
    db = openAt();
    if (db == nullptr) return nullptr;
    rebuilt = true;
    if (!CreateIndexOf(db, rootText)) {
      sqlite3_close(db);
      return nullptr;
    }
  }
  sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;", nullptr, nullptr, nullptr);
  sqlite3_create_function(db, "plume_pass", 6, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, PassFunction, nullptr,
                          nullptr);
  std::unique_ptr<MaterialIndex> index(new MaterialIndex(db, file, storeRoot));
  index->rebuilt_ = rebuilt;
  return index;
}

void MaterialIndex::Discard(const fs::path& file) {
  std::error_code ec;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) fs::remove(file.string() + suffix, ec);
}

MaterialIndex::MaterialIndex(sqlite3* db, fs::path file, fs::path root)
    : db_(db), file_(std::move(file)), root_(std::move(root)) {}

MaterialIndex::~MaterialIndex() { sqlite3_close(db_); }

bool MaterialIndex::Ok(int rc) {
  if (rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB || rc == SQLITE_IOERR || rc == SQLITE_FORMAT) healthy_ = false;
  return rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE;
}

bool MaterialIndex::Exec(const char* sql) { return Ok(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)); }

sqlite3_stmt* MaterialIndex::Prepare(const char* sql) {
  sqlite3_stmt* s = nullptr;
  if (!Ok(sqlite3_prepare_v2(db_, sql, -1, &s, nullptr))) {
    sqlite3_finalize(s);
    return nullptr;
  }
  return s;
}

bool MaterialIndex::Remove(Serial serial) {
  Statement old(Prepare("SELECT title, related, body FROM material WHERE serial = ?1"));
  if (!old) return false;
  sqlite3_bind_int64(*old, 1, serial);
  const int rc = sqlite3_step(*old);
  if (rc == SQLITE_DONE) return true;
  if (rc != SQLITE_ROW) return Ok(rc);
  Statement drop(Prepare("DELETE FROM material WHERE serial = ?1"));
  if (!drop) return false;
  sqlite3_bind_int64(*drop, 1, serial);
  return SetGrams(serial, Grams::kForget, ColumnBytes(*old, 0), ColumnBytes(*old, 1), ColumnBytes(*old, 2)) &&
         Ok(sqlite3_step(*drop));
}

bool MaterialIndex::SetGrams(Serial serial, Grams what, std::string_view title, std::string_view related,
                             std::string_view body) {
  // A table without its own copy of the text forgets a row only when given the old values.
  Statement s(Prepare(what == Grams::kForget
                          ? "INSERT INTO grams(grams, rowid, title, related, body) VALUES('delete', ?1, ?2, ?3, ?4)"
                          : "INSERT INTO grams(rowid, title, related, body) VALUES(?1, ?2, ?3, ?4)"));
  if (!s) return false;
  sqlite3_bind_int64(*s, 1, serial);
  BindText(*s, 2, title);
  BindText(*s, 3, related);
  BindText(*s, 4, body);
  return Ok(sqlite3_step(*s));
}

bool MaterialIndex::Put(const MaterialRecord& r, bool known) {
  // The text read from the data file stays while the data file is the same.
  std::string body;
  int bodyState = HasBody(r.info.ext) ? 0 : 2;
  if (known) {
    Statement old(Prepare("SELECT data_size, data_mtime, body_state, body FROM material WHERE serial = ?1"));
    if (!old) return false;
    sqlite3_bind_int64(*old, 1, r.serial);
    if (sqlite3_step(*old) == SQLITE_ROW && sqlite3_column_int64(*old, 0) == r.dataStamp.size &&
        sqlite3_column_int64(*old, 1) == r.dataStamp.mtimeNs && bodyState == 0) {
      bodyState = sqlite3_column_int(*old, 2);
      body = ColumnBytes(*old, 3);
    }
    if (!Remove(r.serial)) return false;
  }
  Statement put(Prepare(
      "INSERT INTO material VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, "
      "?18, ?19, ?20)"));
  if (!put) return false;
  const MaterialInfo& i = r.info;
  sqlite3_bind_int64(*put, 1, r.serial);
  int k = 2;
  for (const std::string* v : {&i.ext, &i.width, &i.height, &i.size, &i.sha256, &i.title, &i.getFrom, &i.createDate}) {
    BindBytes(*put, k++, *v);
  }
  sqlite3_bind_int(*put, 10, r.ownerCount);
  BindBytes(*put, 11, r.firstOwner);
  sqlite3_bind_int64(*put, 12, r.infoStamp.size);
  sqlite3_bind_int64(*put, 13, r.infoStamp.mtimeNs);
  sqlite3_bind_int64(*put, 14, r.textStamp.size);
  sqlite3_bind_int64(*put, 15, r.textStamp.mtimeNs);
  sqlite3_bind_int64(*put, 16, r.dataStamp.size);
  sqlite3_bind_int64(*put, 17, r.dataStamp.mtimeNs);
  sqlite3_bind_int(*put, 18, bodyState);
  BindBytes(*put, 19, r.related);
  BindBytes(*put, 20, body);
  return Ok(sqlite3_step(*put)) && SetGrams(r.serial, Grams::kAdd, i.title, r.related, body);
}

bool MaterialIndex::Refresh(Serial serial) {
  if (!Exec("BEGIN IMMEDIATE")) return false;
  const auto record = ReadMaterialRecord(root_, serial);
  const bool ok = record ? Put(*record, true) : Remove(serial);
  return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
}

CatchUpResult MaterialIndex::CatchUp(Serial bound, const std::function<bool(Serial, Serial)>& progress) {
  CatchUpResult result;
  struct Known {
    Serial serial;
    FileStamp info, text;
  };
  std::vector<Known> known;
  {
    Statement all(Prepare("SELECT serial, info_size, info_mtime, text_size, text_mtime FROM material ORDER BY serial"));
    if (!all) return result;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(*all)) == SQLITE_ROW) {
      known.push_back({sqlite3_column_int64(*all, 0), {sqlite3_column_int64(*all, 1), sqlite3_column_int64(*all, 2)},
                       {sqlite3_column_int64(*all, 3), sqlite3_column_int64(*all, 4)}});
    }
    if (!Ok(rc)) return result;
  }
  if (!Exec("BEGIN IMMEDIATE")) return result;
  auto next = known.begin();
  int puts = 0;
  bool ok = true;
  std::string serialText;
  for (Serial n = 0; n < bound && ok; ++n) {
    if (n % kProgressEvery == 0 && progress && !progress(n, bound)) {
      Exec("COMMIT");
      return result;
    }
    while (next != known.end() && next->serial < n) ++next;
    const Known* have = next != known.end() && next->serial == n ? &*next : nullptr;
    serialText = FormatSerial(n);
    const FileStamp info = StampOf(MaterialStore::InfoFileIn(root_, serialText));
    ++result.walked;
    if (info.size < 0) {
      if (have != nullptr) {
        ok = Remove(n);
        ++result.removed;
        ++puts;
      }
    } else {
      bool same = have != nullptr && have->info == info;
      if (same) {
        fs::path text = MaterialStore::DataFileIn(root_, kTextType, serialText);
        FileStamp textStamp = StampOf(text);
        if (textStamp.size < 0) textStamp = StampOf(text.replace_extension(".txt"));
        same = have->text == textStamp;
      }
      if (!same) {
        const auto record = ReadMaterialRecord(root_, n);
        ok = record ? Put(*record, have != nullptr) : (have == nullptr || Remove(n));
        ++result.updated;
        ++puts;
      }
    }
    if (puts >= kCommitEvery) {
      // Short transactions let the window's searches and this process's own updates in.
      ok = ok && Exec("COMMIT") && Exec("BEGIN IMMEDIATE");
      puts = 0;
    }
  }
  // Materials past the walk's end that are gone from the store go too.
  for (; ok && next != known.end(); ++next) {
    if (next->serial >= bound && StampOf(MaterialStore::InfoFileIn(root_, FormatSerial(next->serial))).size < 0) {
      ok = Remove(next->serial);
      ++result.removed;
    }
  }
  ok = Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
  if (progress) progress(bound, bound);
  result.complete = ok;
  return result;
}

std::optional<ScanResult> MaterialIndex::Search(Serial bound, int hitMax, const SearchConditions& c,
                                                ScanObserver& observer, platform::WindowRef owner) {
  ScanResult result;
  result.ran = true;
  const int limit = std::max(1, hitMax);
  const bool dateActive = c.date1 != kNoLowerDate || c.date2 != kNoUpperDate;
  const std::vector<std::string> grams = QueryGrams(c.text);
  const bool useGrams = !c.text.empty() && !grams.empty();
  const std::string columns = "m.serial, m.ext, m.width, m.height, m.size, m.sha256, m.title, m.get_from, "
                              "m.create_date, m.owner_count, m.first_owner, m.related, " +
                              std::string(c.fullText ? "m.body" : "NULL");
  const std::string where = " AND plume_pass(m.ext, m.create_date, ?3, ?4, ?5, ?6)";
  const std::string sql =
      useGrams ? "SELECT " + columns + " FROM grams JOIN material AS m ON m.serial = grams.rowid" +
                     " WHERE grams MATCH ?1 AND grams.rowid < ?2" + where + " ORDER BY grams.rowid"
               : "SELECT " + columns + " FROM material AS m WHERE m.serial < ?2" + where + " ORDER BY m.serial";
  Statement query(Prepare(sql.c_str()));
  if (!query) return std::nullopt;
  const std::string match = useGrams ? MatchExpression(grams, c.fullText ? "" : "title related") : std::string();
  if (useGrams) sqlite3_bind_text(*query, 1, match.data(), static_cast<int>(match.size()), SQLITE_STATIC);
  sqlite3_bind_int64(*query, 2, bound);
  sqlite3_bind_int(*query, 3, c.typeIndex);
  sqlite3_bind_int(*query, 4, dateActive ? 1 : 0);
  BindBytes(*query, 5, c.date1);
  BindBytes(*query, 6, c.date2);

  observer.ScanStarted(static_cast<int>(std::min<Serial>(bound, limit)));
  int rc = SQLITE_OK;
  Serial visited = 0;
  while ((rc = sqlite3_step(*query)) == SQLITE_ROW) {
    if (++visited % kPumpEvery == 0 && !observer.KeepGoing()) {
      result.stopped = true;
      break;
    }
    SearchRow row;
    if (!c.text.empty()) {
      const std::string_view title = ColumnBytes(*query, 6);
      const std::string_view related = ColumnBytes(*query, 11);
      if (!ContainsOnBoundary(title, c.text) && !RelatedTextContains(related, c.text)) {
        const std::string_view body = ColumnBytes(*query, 12);
        if (!c.fullText || !ContainsOnBoundary(body, c.text)) continue;
        row.snippet = HitSnippet(body, c.text);
      }
    }
    const Serial serial = sqlite3_column_int64(*query, 0);
    const std::string serialText = FormatSerial(serial);
    const std::string_view ext = ColumnBytes(*query, 1);
    std::string sha256(ColumnBytes(*query, 5));
    if (!IsPdf(ext) && sha256.empty()) {
      // As the scan does: a picture's missing hash is computed and recorded now.
      const fs::path data = MaterialStore::DataFileIn(root_, ext, serialText);
      if (platform::IsRegularFile(data)) {
        std::string hash = FileSha256(data);
        if (!hash.empty() && InfoFile::AppendAt(MaterialStore::InfoFileIn(root_, serialText), Sha256Block(hash))) {
          sha256 = std::move(hash);
        }
      }
    }
    row.col[kColNo] = std::to_string(result.hits + 1);
    row.col[kColType] = ext;
    row.col[kColSerial] = serialText;
    row.col[kColTitle] = ColumnBytes(*query, 6);
    row.col[kColSizeKb] = SizeKbText(ColumnBytes(*query, 4));
    row.col[kColWidth] = GroupDigits(ColumnBytes(*query, 2));
    row.col[kColHeight] = GroupDigits(ColumnBytes(*query, 3));
    row.col[kColDate] = ColumnBytes(*query, 8);
    row.col[kColFrom] = ColumnBytes(*query, 7);
    row.col[kColOwnerCount] = std::to_string(sqlite3_column_int(*query, 9));
    row.col[kColOwner] = ColumnBytes(*query, 10);
    row.col[kColSha256] = std::move(sha256);
    if (!PassRow(result, observer, row, limit, owner)) break;
  }
  if (!result.stopped && !result.limitReached && !Ok(rc) && result.hits == 0) return std::nullopt;
  return result;
}

std::optional<MaterialInfo> MaterialIndex::FindBy(const char* column, std::string_view value, Serial* serial) {
  if (value.empty()) return std::nullopt;
  const std::string sql = std::string("SELECT serial, ext, width, height, size, sha256, title, get_from, create_date "
                                      "FROM material WHERE ") + column + " = ?1 ORDER BY serial LIMIT 1";
  Statement s(Prepare(sql.c_str()));
  if (!s) return std::nullopt;
  BindBytes(*s, 1, value);
  if (sqlite3_step(*s) != SQLITE_ROW) return std::nullopt;
  if (serial != nullptr) *serial = sqlite3_column_int64(*s, 0);
  MaterialInfo info;
  int k = 1;
  for (std::string* v : {&info.ext, &info.width, &info.height, &info.size, &info.sha256, &info.title, &info.getFrom,
                         &info.createDate}) {
    *v = ColumnBytes(*s, k++);
  }
  return info;
}

std::optional<MaterialInfo> MaterialIndex::FindByHash(std::string_view sha256, Serial* serial) {
  return FindBy("sha256", sha256, serial);
}

std::optional<MaterialInfo> MaterialIndex::FindByAddress(std::string_view getFrom, Serial* serial) {
  return FindBy("get_from", getFrom, serial);
}

std::vector<BodyTask> MaterialIndex::PendingBodies(int limit) {
  std::vector<BodyTask> tasks;
  Statement s(Prepare("SELECT serial, ext, data_size, data_mtime FROM material WHERE body_state = 0 "
                      "AND data_size >= 0 ORDER BY serial LIMIT ?1"));
  if (!s) return tasks;
  sqlite3_bind_int(*s, 1, limit);
  while (sqlite3_step(*s) == SQLITE_ROW) {
    tasks.push_back({sqlite3_column_int64(*s, 0), std::string(ColumnBytes(*s, 1)),
                     {sqlite3_column_int64(*s, 2), sqlite3_column_int64(*s, 3)}});
  }
  return tasks;
}

bool MaterialIndex::SetBody(Serial serial, const FileStamp& stamp, std::string_view body) {
  if (!Exec("BEGIN IMMEDIATE")) return false;
  Statement old(Prepare("SELECT title, related, body, data_size, data_mtime FROM material WHERE serial = ?1"));
  bool ok = static_cast<bool>(old);
  if (ok) {
    sqlite3_bind_int64(*old, 1, serial);
    // The data file changed meanwhile, or the material is gone: the text is for nothing.
    ok = sqlite3_step(*old) == SQLITE_ROW && sqlite3_column_int64(*old, 3) == stamp.size &&
         sqlite3_column_int64(*old, 4) == stamp.mtimeNs;
  }
  if (ok) {
    Statement set(Prepare("UPDATE material SET body = ?2, body_state = 1 WHERE serial = ?1"));
    ok = static_cast<bool>(set);
    if (ok) {
      sqlite3_bind_int64(*set, 1, serial);
      BindBytes(*set, 2, body);
      const std::string_view title = ColumnBytes(*old, 0), related = ColumnBytes(*old, 1);
      ok = SetGrams(serial, Grams::kForget, title, related, ColumnBytes(*old, 2)) &&
           SetGrams(serial, Grams::kAdd, title, related, body) && Ok(sqlite3_step(*set));
    }
  }
  return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
}

std::int64_t MaterialIndex::MaterialCount() {
  Statement s(Prepare("SELECT count(*) FROM material"));
  return s && sqlite3_step(*s) == SQLITE_ROW ? sqlite3_column_int64(*s, 0) : 0;
}

std::int64_t MaterialIndex::BodiesDone() {
  Statement s(Prepare("SELECT count(*) FROM material WHERE body_state <> 0"));
  return s && sqlite3_step(*s) == SQLITE_ROW ? sqlite3_column_int64(*s, 0) : 0;
}

}  // namespace plume::store::index
