#pragma once
// A prepared SQLite statement of the material index, finalised on leaving
// the scope.

#include <sqlite3.h>

namespace plume::store::index {

class Statement {
 public:
  /// Takes `s` (may be null: a statement that could not be prepared).
  explicit Statement(sqlite3_stmt* s) : s_(s) {}
  ~Statement() { sqlite3_finalize(s_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* operator*() const { return s_; }
  explicit operator bool() const { return s_ != nullptr; }

 private:
  sqlite3_stmt* s_;
};

}  // namespace plume::store::index
