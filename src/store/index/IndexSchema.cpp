#include "store/index/IndexSchema.h"

#include <sqlite3.h>

#include <optional>

#include "store/index/GramTokenizer.h"

namespace plume::store::index {

namespace {

/// Marks the database as this program's index ("PLIX").
constexpr int kApplicationId = 0x504C4958;
/// The layout; a database of another layout is made anew.
constexpr int kLayout = 1;

constexpr const char* kSchema = R"(
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT);
CREATE TABLE material(serial INTEGER PRIMARY KEY, ext BLOB, width BLOB, height BLOB, size BLOB, sha256 BLOB,
  title BLOB, get_from BLOB, create_date BLOB, owner_count INTEGER, first_owner BLOB,
  info_size INTEGER, info_mtime INTEGER, text_size INTEGER, text_mtime INTEGER,
  data_size INTEGER, data_mtime INTEGER, body_state INTEGER, related BLOB, body BLOB);
CREATE INDEX material_sha256 ON material(sha256);
CREATE INDEX material_get_from ON material(get_from);
CREATE VIRTUAL TABLE grams USING fts5(title, related, body, tokenize='plume_grams', detail=column, content='');
)";

std::optional<int> IntValue(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  std::optional<int> value;
  if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW) {
    value = sqlite3_column_int(s, 0);
  }
  sqlite3_finalize(s);
  return value;
}

}  // namespace

bool IsIndexOf(sqlite3* db, const std::string& storeRoot) {
  if (!RegisterGramTokenizer(db)) return false;
  if (IntValue(db, "PRAGMA application_id") != kApplicationId || IntValue(db, "PRAGMA user_version") != kLayout) {
    return false;
  }
  sqlite3_stmt* s = nullptr;
  bool same = false;
  if (sqlite3_prepare_v2(db, "SELECT value FROM meta WHERE key = 'store'", -1, &s, nullptr) == SQLITE_OK &&
      sqlite3_step(s) == SQLITE_ROW) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    same = text != nullptr && storeRoot == text;
  }
  sqlite3_finalize(s);
  // A readable first page is not enough: the full-text table must answer too.
  return same && IntValue(db, "SELECT count(*) FROM grams WHERE grams MATCH '\"a\"'").has_value();
}

bool CreateIndexOf(sqlite3* db, const std::string& storeRoot) {
  const std::string create = std::string("PRAGMA application_id = ") + std::to_string(kApplicationId) +
                             "; PRAGMA user_version = " + std::to_string(kLayout) + ";" + kSchema;
  sqlite3_stmt* s = nullptr;
  if (!RegisterGramTokenizer(db) || sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(db, "INSERT INTO meta VALUES('store', ?1)", -1, &s, nullptr) != SQLITE_OK) {
    sqlite3_finalize(s);
    return false;
  }
  sqlite3_bind_text(s, 1, storeRoot.c_str(), -1, SQLITE_TRANSIENT);
  const int rc = sqlite3_step(s);
  sqlite3_finalize(s);
  return rc == SQLITE_DONE;
}

}  // namespace plume::store::index
