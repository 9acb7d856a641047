#pragma once
// The material index database's layout and marks: the tables, the program's
// application id, the layout number and the store the database belongs to.
// A database whose marks differ is not this index and is made anew.

#include <string>

struct sqlite3;

namespace plume::store::index {

/// Whether `db` is a sound index of this layout for the store at `storeRoot`
/// (normalised path): marks, store and a full-text table that answers.
/// Registers the tokenizer with `db` first.
bool IsIndexOf(sqlite3* db, const std::string& storeRoot);
/// Creates the marks and tables in the empty database `db` for the store at
/// `storeRoot`; false when any step fails.
bool CreateIndexOf(sqlite3* db, const std::string& storeRoot);

}  // namespace plume::store::index
