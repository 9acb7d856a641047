#pragma once
// The material index keeps its texts as the store's bytes (code page 932),
// never checked or converted as UTF-8: binding them to statements and reading
// them back from rows and function arguments.

#include <string_view>

struct sqlite3_stmt;
struct sqlite3_value;

namespace plume::store::index {

/// Binds `bytes` as a blob to parameter `i` (an empty blob, never NULL, for none).
void BindBytes(sqlite3_stmt* s, int i, std::string_view bytes);
/// Binds `bytes` as text: full-text columns take the same bytes as text.
void BindText(sqlite3_stmt* s, int i, std::string_view bytes);
/// Column `i` of the current row; empty for NULL.
std::string_view ColumnBytes(sqlite3_stmt* s, int i);
/// A function argument's bytes; empty for NULL.
std::string_view ValueBytes(sqlite3_value* v);

}  // namespace plume::store::index
