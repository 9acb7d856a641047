#include "store/index/SqliteBytes.h"

#include <sqlite3.h>

namespace plume::store::index {

void BindBytes(sqlite3_stmt* s, int i, std::string_view bytes) {
  sqlite3_bind_blob(s, i, bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

void BindText(sqlite3_stmt* s, int i, std::string_view bytes) {
  sqlite3_bind_text(s, i, bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

std::string_view ColumnBytes(sqlite3_stmt* s, int i) {
  const void* data = sqlite3_column_blob(s, i);
  const int size = sqlite3_column_bytes(s, i);
  return data == nullptr ? std::string_view() : std::string_view(static_cast<const char*>(data), size);
}

std::string_view ValueBytes(sqlite3_value* v) {
  const void* data = sqlite3_value_blob(v);
  const int size = sqlite3_value_bytes(v);
  return data == nullptr ? std::string_view() : std::string_view(static_cast<const char*>(data), size);
}

}  // namespace plume::store::index
