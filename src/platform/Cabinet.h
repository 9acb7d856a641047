#pragma once
// Cabinet archives (the Microsoft Cabinet format) as documents use them: one
// file packed with MSZIP into a new cabinet, and every file of a cabinet
// unpacked into a folder. Failures come back as values carrying a tag line
// that names the failed step; nothing is thrown across this interface.
//
// Stored names come from outside and are never trusted. Unpacking keeps only
// the base name of each stored name (the part after the last "/" or "\"), so
// "..\x", "/tmp/x" and "C:\x" all become "x" inside the target folder; a name
// that is empty, "." or ".." after that, or longer than 255 bytes, or a stored
// name holding a control character (below 0x20, or 0x7F), is refused.
// Names are decoded before they are cut: a name flagged as UTF-8 (attribute
// 0x80) must be valid UTF-8; an unflagged name is ASCII or code page 932 (so a
// 0x5C trail byte of a double-byte character is not taken for a separator),
// and an unflagged name that is not CP932 is taken as UTF-8 when it is valid
// UTF-8. Any other name is refused. Files reach the target folder by rename,
// so a symlink planted there under a stored name is replaced, never followed.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plume::platform {

/// The tag lines of failed cabinet steps, shown above the user's message.
struct CabinetTag {
  /// The cabinet file cannot be created at the destination.
  static constexpr std::string_view kCabinetCreate = "[Cabinet Create]";
  /// The source file cannot be read or packed, or the stored name is unusable.
  static constexpr std::string_view kAddFile = "[Add File]";
  /// Compressing, writing, flushing or closing the cabinet failed.
  static constexpr std::string_view kFlushCabinet = "[Flush Cabinet]";
  /// The target folder or the private staging folder inside it cannot be made.
  static constexpr std::string_view kMakeContext = "[Make Context]";
  /// The cabinet is missing, not a cabinet, damaged or too large, or a file
  /// cannot be written into the target folder.
  static constexpr std::string_view kFileCopy = "[File Copy]";
  /// A stored name is refused (see the top of this header).
  static constexpr std::string_view kFileName = "[File Name]";
  /// The files add up to more bytes than the caller allows (maxTotalBytes).
  static constexpr std::string_view kTooLarge = "[Too Large]";
  /// The progress callback asked to stop.
  static constexpr std::string_view kCancelled = "[Cancelled]";
};

/// Attribute bits of a file inside a cabinet.
struct CabinetAttr {
  static constexpr std::uint16_t kReadOnly = 0x01;
  static constexpr std::uint16_t kHidden = 0x02;
  static constexpr std::uint16_t kSystem = 0x04;
  static constexpr std::uint16_t kArchive = 0x20;
  static constexpr std::uint16_t kNameIsUtf8 = 0x80;
};

/// Outcome of a cabinet operation.
struct CabinetResult {
  bool ok = false;
  std::string tag;     ///< one of CabinetTag when !ok; empty on success
  std::string detail;  ///< what went wrong, in English (UTF-8), for diagnostics

  explicit operator bool() const { return ok; }
};

/// One file placed in the target folder by ExtractAll.
struct ExtractedFile {
  std::string name;              ///< UTF-8 base name used in the target folder
  std::string storedName;        ///< the whole stored name, decoded to UTF-8
  std::filesystem::path path;    ///< target folder / name
  std::uint64_t size = 0;        ///< bytes
  std::uint16_t attributes = 0;  ///< CabinetAttr bits as stored
};

struct ExtractResult : CabinetResult {
  /// Files in the order they were placed; when two stored names share a base
  /// name the later file replaces the earlier one and both are listed.
  std::vector<ExtractedFile> files;
};

/// Progress of an unpack: bytes of the cabinet file read so far and its size.
/// Returns false to cancel (the unpack then fails with CabinetTag::kCancelled).
using CabinetProgressFn = std::function<bool(std::uint64_t done, std::uint64_t total)>;
/// Called once each file is in place, with the entry ExtractResult will list.
using CabinetFileFn = std::function<void(const ExtractedFile& file)>;

struct ExtractOptions {
  CabinetFileFn onFile;
  CabinetProgressFn onProgress;
  /// Refuse with CabinetTag::kTooLarge, before writing anything, a cabinet
  /// whose files add up to more bytes than this (0: no limit).
  std::uint64_t maxTotalBytes = 0;
};

class Cabinet {
 public:
  virtual ~Cabinet() = default;

  /// Writes a new cabinet at `cabinetPath` (replacing a file there; a symlink
  /// there is replaced, not followed) holding `source` alone under
  /// `storedName`: one folder, MSZIP, set id 0, no reserved areas. The stored
  /// date and time are the source's local modification time (two-second steps,
  /// clamped to 1980..2107); the attributes are archive, plus read-only when the
  /// owner may not write the source and hidden when its name starts with ".".
  /// `storedName` is a UTF-8 file name without folders, at most 255 bytes; a
  /// non-ASCII name is flagged as UTF-8. The data is flushed to disk before
  /// success is reported; on failure no new file is left at `cabinetPath`.
  virtual CabinetResult WriteSingleFile(const std::filesystem::path& source,
                                        std::string_view storedName,
                                        const std::filesystem::path& cabinetPath) const = 0;

  /// Unpacks every file of `cabinetPath` into `targetFolder` (created when
  /// missing) under the base name of its stored name, replacing files of the
  /// same name, with the stored date and time as its local modification time
  /// and the write permissions removed when it is stored read-only. Stored
  /// names are checked before anything is written; a failure part way leaves
  /// the files already placed and nothing half-written.
  virtual ExtractResult ExtractAll(const std::filesystem::path& cabinetPath,
                                   const std::filesystem::path& targetFolder,
                                   const ExtractOptions& options) const = 0;
};

}  // namespace plume::platform
