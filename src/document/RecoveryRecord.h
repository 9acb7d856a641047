#pragma once
// The small record kept beside a recovery copy: which document it is a copy
// of, when the copy was taken, the page on show, the process that took it and
// the file that holds the copy. Stored as "key=value" lines (UTF-8) after a
// first line naming the format; a record that does not parse is no record.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plume::document {

/// What identifies one version of a file on disk: its modification time and size.
struct FileStamp {
  std::int64_t mtimeNs = 0;
  std::uint64_t size = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

/// The stamp of the file at `path` (links followed); nullopt when there is none.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

struct RecoveryRecord {
  std::filesystem::path original;  ///< the document's file; empty for one never saved
  std::int64_t time = 0;           ///< when the copied state was taken, seconds since 1970 (UTC)
  int page = 0;                    ///< index of the page on show
  long pid = 0;                    ///< the process that took the copy
  std::string copy;                ///< file name of the copy in the recovery folder
  /// The original file as the copied document last read or wrote it; a
  /// different stamp on disk means the file changed behind the copy.
  std::optional<FileStamp> base;
};

std::string FormatRecoveryRecord(const RecoveryRecord& record);
/// nullopt for anything but a whole record: the first line, a copy name
/// without folders, numbers that parse, no unknown or repeated keys.
std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view text);

/// True when the original file of `record` exists and is not the version the
/// copy was based on (or, without a known base, was written after the copy).
bool OriginalChangedSince(const RecoveryRecord& record);

}  // namespace plume::document
