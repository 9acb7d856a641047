#pragma once
// The names a cabinet stores for its entries: which names may be written,
// how a stored name is read (UTF-8 when flagged, else ASCII, CP932 or
// unflagged UTF-8) and the file name an entry is extracted to.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plume::platform::cab {

/// Longest stored name in bytes.
inline constexpr std::size_t kMaxStoredNameBytes = 255;

bool IsAscii(std::string_view text);
/// Empty when `name` may be stored as the name of a single-file cabinet;
/// otherwise why not.
std::string StoredNameProblem(std::string_view name);
/// The stored name as UTF-8 (see Cabinet.h for the rules); nullopt when it is none of them.
std::optional<std::string> DecodeStoredName(const char* raw, std::uint32_t attributes);
/// The part after the last "/" or "\" of a UTF-8 name.
std::string BaseName(const std::string& utf8);

}  // namespace plume::platform::cab
