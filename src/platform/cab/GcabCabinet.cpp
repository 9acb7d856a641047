#include "platform/cab/GcabCabinet.h"

#include <fcntl.h>
#include <gio/gfiledescriptorbased.h>
#include <libgcab.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Cp932.h"

namespace plume::platform {
namespace {

namespace fs = std::filesystem;

// ---- RAII for glib handles ------------------------------------------------

struct GObjectUnref {
  void operator()(gpointer object) const {
    if (object != nullptr) g_object_unref(object);
  }
};
template <class T>
using GRef = std::unique_ptr<T, GObjectUnref>;

struct GDateTimeUnref {
  void operator()(GDateTime* value) const {
    if (value != nullptr) g_date_time_unref(value);
  }
};
using GDateTimeRef = std::unique_ptr<GDateTime, GDateTimeUnref>;

struct GSListDeleter {
  void operator()(GSList* list) const { g_slist_free(list); }
};
using GSListPtr = std::unique_ptr<GSList, GSListDeleter>;

/// The GError out-parameter of one library call, freed with the slot.
class GErrorSlot {
 public:
  GErrorSlot() = default;
  GErrorSlot(const GErrorSlot&) = delete;
  GErrorSlot& operator=(const GErrorSlot&) = delete;
  ~GErrorSlot() { Clear(); }
  GError** Out() {
    Clear();
    return &error_;
  }
  std::string Message() const { return error_ != nullptr ? error_->message : "unknown error"; }

 private:
  void Clear() {
    if (error_ != nullptr) g_error_free(error_);
    error_ = nullptr;
  }
  GError* error_ = nullptr;
};

template <class Result = CabinetResult>
Result Fail(std::string_view tag, std::string detail) {
  Result result;
  result.ok = false;
  result.tag = tag;
  result.detail = std::move(detail);
  return result;
}

std::string ErrnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

// ---- Stored names and times -------------------------------------------------

/// Largest file a cabinet folder holds: 65535 data blocks of 32 KiB.
constexpr std::uint64_t kMaxFolderBytes = 0x7FFF8000;
constexpr std::size_t kMaxStoredNameBytes = 255;

bool IsAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

/// Empty when `name` may be stored as the name of a single-file cabinet.
std::string StoredNameProblem(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return "the stored name is empty, \".\" or \"..\"";
  if (name.size() > kMaxStoredNameBytes) return "the stored name is longer than 255 bytes";
  if (name.find_first_of("/\\") != std::string_view::npos ||
      name.find('\0') != std::string_view::npos)
    return "the stored name holds a folder separator";
  if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr))
    return "the stored name is not UTF-8";
  return {};
}

/// The stored name as UTF-8 (see Cabinet.h for the rules); nullopt when it is none of them.
std::optional<std::string> DecodeStoredName(const char* raw, std::uint32_t attributes) {
  const std::string_view bytes(raw);
  const bool validUtf8 = g_utf8_validate(raw, -1, nullptr) != FALSE;
  if ((attributes & CabinetAttr::kNameIsUtf8) != 0) {
    if (validUtf8) return std::string(bytes);
    return std::nullopt;
  }
  if (IsAscii(bytes)) return std::string(bytes);
  if (auto converted = Cp932ToUtf8Exact(bytes)) return converted;
  if (validUtf8) return std::string(bytes);
  return std::nullopt;
}

/// The part after the last "/" or "\" of a UTF-8 name.
std::string BaseName(const std::string& utf8) {
  const auto cut = utf8.find_last_of("/\\");
  return cut == std::string::npos ? utf8 : utf8.substr(cut + 1);
}

/// Fields of a cabinet date and time: a local wall-clock time in 1980..2107.
struct WallTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

WallTime LocalWallTime(std::time_t when) {
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr) return {};
  const int year = local.tm_year + 1900;
  if (year < 1980) return {};
  if (year > 2107) return {2107, 12, 31, 23, 59, 58};
  return {year, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

/// The stored date and time of an entry read as local time; nullopt when they are not a date.
std::optional<std::time_t> StoredLocalTime(GCabFile* entry) {
  // libgcab hands the stored fields back in a UTC GDateTime; the fields are what count.
  GDateTimeRef stored(gcab_file_get_date_time(entry));
  if (!stored) return std::nullopt;
  std::tm fields{};
  fields.tm_year = g_date_time_get_year(stored.get()) - 1900;
  fields.tm_mon = g_date_time_get_month(stored.get()) - 1;
  fields.tm_mday = g_date_time_get_day_of_month(stored.get());
  fields.tm_hour = g_date_time_get_hour(stored.get());
  fields.tm_min = g_date_time_get_minute(stored.get());
  fields.tm_sec = g_date_time_get_second(stored.get());
  fields.tm_isdst = -1;
  const std::time_t when = std::mktime(&fields);
  if (when == static_cast<std::time_t>(-1)) return std::nullopt;
  return when;
}

// ---- Extraction state ---------------------------------------------------------

struct PlannedEntry {
  GCabFile* entry = nullptr;  // owned by the cabinet
  ExtractedFile file;
  std::optional<std::time_t> modified;
};

/// Everything the libgcab callbacks of one ExtractAll share.
struct ExtractContext {
  const ExtractOptions* options = nullptr;
  fs::path staging;
  std::vector<PlannedEntry> plan;
  const PlannedEntry* pending = nullptr;  // written to staging, not yet placed
  ExtractResult result;
  bool failed = false;
  bool cancelled = false;
  std::uint64_t total = 0;
  std::uint64_t reported = 0;
  GCancellable* cancellable = nullptr;

  void SetFailure(std::string_view tag, std::string detail) {
    if (failed) return;
    failed = true;
    result.tag = tag;
    result.detail = std::move(detail);
    g_cancellable_cancel(cancellable);
  }

  /// Reports progress (at most every 256 KiB); false once the caller cancels.
  bool Progress(std::uint64_t done, bool force) {
    if (cancelled) return false;
    if (!options->onProgress) return true;
    done = std::min(done, total);
    if (!force && done < reported + (256u << 10) && done < total) return true;
    reported = done;
    if (!options->onProgress(done, total)) cancelled = true;
    return !cancelled;
  }

  /// Moves the finished pending file from staging into the target folder.
  bool PlacePending() {
    if (pending == nullptr) return true;
    const PlannedEntry& entry = *pending;
    pending = nullptr;
    const fs::path staged = staging / entry.file.name;
    if (entry.modified) {
      const timespec times[2] = {{*entry.modified, 0}, {*entry.modified, 0}};
      if (utimensat(AT_FDCWD, staged.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        SetFailure(CabinetTag::kFileCopy, ErrnoText("cannot set the time of " + entry.file.name));
        return false;
      }
    }
    if ((entry.file.attributes & CabinetAttr::kReadOnly) != 0) {
      struct stat info {};
      if (lstat(staged.c_str(), &info) != 0 ||
          chmod(staged.c_str(), info.st_mode & 07777 & ~0222u) != 0) {
        SetFailure(CabinetTag::kFileCopy,
                   ErrnoText("cannot make " + entry.file.name + " read-only"));
        return false;
      }
    }
    // rename() replaces whatever has the name in the target folder, a symlink
    // included, without following it.
    if (rename(staged.c_str(), entry.file.path.c_str()) != 0) {
      SetFailure(CabinetTag::kFileCopy, ErrnoText("cannot place " + entry.file.path.string()));
      return false;
    }
    result.files.push_back(entry.file);
    if (options->onFile) options->onFile(result.files.back());
    return true;
  }
};

// libgcab calls this before it writes each entry; the previous one is complete by then.
gboolean OnEntry(GCabFile* entry, gpointer data) {
  auto* context = static_cast<ExtractContext*>(data);
  if (context->failed || context->cancelled) return FALSE;
  try {
    if (!context->PlacePending()) return FALSE;
    for (const PlannedEntry& planned : context->plan) {
      if (planned.entry == entry) {
        context->pending = &planned;
        return TRUE;
      }
    }
    context->SetFailure(CabinetTag::kFileCopy, "the cabinet changed while it was unpacked");
  } catch (const std::exception& error) {
    context->SetFailure(CabinetTag::kFileCopy, error.what());
  } catch (...) {
    context->SetFailure(CabinetTag::kFileCopy, "unexpected failure");
  }
  return FALSE;
}

// ---- A seekable input stream that reports how far the cabinet was read --------

struct CountingStream {
  GInputStream parent;
  GInputStream* base;       // owned; a seekable file stream
  ExtractContext* context;  // not owned; outlives the stream's use
};

struct CountingStreamClass {
  GInputStreamClass parent;
};

gpointer countingParentClass = nullptr;

CountingStream* AsCounting(gpointer object) { return static_cast<CountingStream*>(object); }

gssize CountingRead(GInputStream* stream, void* buffer, gsize count, GCancellable* cancellable,
                    GError** error) {
  CountingStream* self = AsCounting(stream);
  const gssize got = g_input_stream_read(self->base, buffer, count, cancellable, error);
  if (got > 0 && self->context != nullptr) {
    bool goOn = false;
    try {
      goOn = self->context->Progress(
          static_cast<std::uint64_t>(g_seekable_tell(G_SEEKABLE(self->base))), false);
    } catch (...) {
      self->context->cancelled = true;
    }
    if (!goOn) {
      g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_CANCELLED, "cancelled");
      return -1;
    }
  }
  return got;
}

gboolean CountingClose(GInputStream* stream, GCancellable* cancellable, GError** error) {
  return g_input_stream_close(AsCounting(stream)->base, cancellable, error);
}

void CountingFinalize(GObject* object) {
  g_clear_object(&AsCounting(object)->base);
  G_OBJECT_CLASS(countingParentClass)->finalize(object);
}

void CountingClassInit(gpointer klass, gpointer) {
  countingParentClass = g_type_class_peek_parent(klass);
  G_OBJECT_CLASS(klass)->finalize = CountingFinalize;
  G_INPUT_STREAM_CLASS(klass)->read_fn = CountingRead;
  G_INPUT_STREAM_CLASS(klass)->close_fn = CountingClose;
}

void CountingSeekableInit(gpointer iface, gpointer) {
  auto* seekable = static_cast<GSeekableIface*>(iface);
  seekable->tell = [](GSeekable* self) {
    return g_seekable_tell(G_SEEKABLE(AsCounting(self)->base));
  };
  seekable->can_seek = [](GSeekable*) -> gboolean { return TRUE; };
  seekable->seek = [](GSeekable* self, goffset offset, GSeekType type, GCancellable* cancellable,
                      GError** error) {
    return g_seekable_seek(G_SEEKABLE(AsCounting(self)->base), offset, type, cancellable, error);
  };
  seekable->can_truncate = [](GSeekable*) -> gboolean { return FALSE; };
  seekable->truncate_fn = [](GSeekable*, goffset, GCancellable*, GError** error) -> gboolean {
    g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED, "read-only stream");
    return FALSE;
  };
}

GType CountingStreamType() {
  static const GType type = [] {
    const GType registered = g_type_register_static_simple(
        G_TYPE_INPUT_STREAM, "PlumeCabinetCountingStream", sizeof(CountingStreamClass),
        CountingClassInit, sizeof(CountingStream), nullptr, GTypeFlags{});
    static const GInterfaceInfo seekableInfo = {CountingSeekableInit, nullptr, nullptr};
    g_type_add_interface_static(registered, G_TYPE_SEEKABLE, &seekableInfo);
    return registered;
  }();
  return type;
}

/// Takes ownership of `base`.
GRef<GInputStream> MakeCountingStream(GInputStream* base, ExtractContext* context) {
  auto* stream = AsCounting(g_object_new(CountingStreamType(), nullptr));
  stream->base = base;
  stream->context = context;
  return GRef<GInputStream>(G_INPUT_STREAM(stream));
}

/// A private folder inside the target folder, removed with everything in it.
class StagingFolder {
 public:
  explicit StagingFolder(const fs::path& parent) {
    std::string pattern = (parent / ".plume-cab-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;
  ~StagingFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

/// Lists every entry with its safe name; fails on the first refused name.
ExtractResult PlanEntries(GCabCabinet* cabinet, const fs::path& target,
                          std::vector<PlannedEntry>& plan) {
  GPtrArray* folders = gcab_cabinet_get_folders(cabinet);
  for (guint f = 0; folders != nullptr && f < folders->len; ++f) {
    GSListPtr entries(gcab_folder_get_files(GCAB_FOLDER(g_ptr_array_index(folders, f))));
    for (GSList* node = entries.get(); node != nullptr; node = node->next) {
      GCabFile* entry = GCAB_FILE(node->data);
      const char* raw = gcab_file_get_name(entry);
      const std::uint32_t attributes = gcab_file_get_attributes(entry);
      std::optional<std::string> stored = DecodeStoredName(raw != nullptr ? raw : "", attributes);
      if (!stored)
        return Fail<ExtractResult>(CabinetTag::kFileName,
                                   "a stored name is neither UTF-8 nor CP932");
      // Control characters would reach the terminal and file managers raw.
      const bool control = std::any_of(stored->begin(), stored->end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
      });
      if (control)
        return Fail<ExtractResult>(CabinetTag::kFileName, "a stored name holds a control character");
      std::string name = BaseName(*stored);
      if (name.empty() || name == "." || name == ".." || name.size() > kMaxStoredNameBytes)
        return Fail<ExtractResult>(CabinetTag::kFileName,
                                   "refused stored name \"" + *stored + "\"");
      PlannedEntry planned;
      planned.entry = entry;
      planned.file.path = target / name;
      planned.file.name = std::move(name);
      planned.file.storedName = std::move(*stored);
      planned.file.size = gcab_file_get_size(entry);
      planned.file.attributes = static_cast<std::uint16_t>(attributes);
      planned.modified = StoredLocalTime(entry);
      // libgcab writes under the extract name: the bare base name, inside staging.
      gcab_file_set_extract_name(entry, planned.file.name.c_str());
      plan.push_back(std::move(planned));
    }
  }
  ExtractResult ok;
  ok.ok = true;
  return ok;
}

CabinetResult WriteCabinet(const fs::path& source, std::string_view storedName,
                           const fs::path& cabinetPath) {
  if (std::string problem = StoredNameProblem(storedName); !problem.empty())
    return Fail(CabinetTag::kAddFile, problem);
  struct stat info {};
  if (stat(source.c_str(), &info) != 0)
    return Fail(CabinetTag::kAddFile, ErrnoText("cannot read " + source.string()));
  if (!S_ISREG(info.st_mode)) return Fail(CabinetTag::kAddFile, source.string() + " is not a file");
  if (static_cast<std::uint64_t>(info.st_size) > kMaxFolderBytes)
    return Fail(CabinetTag::kAddFile, source.string() + " is too large for a cabinet");
  if (access(source.c_str(), R_OK) != 0)
    return Fail(CabinetTag::kAddFile, ErrnoText("cannot read " + source.string()));

  const std::string name(storedName);
  GRef<GFile> sourceFile(g_file_new_for_path(source.c_str()));
  GRef<GCabFile> entry(gcab_file_new_with_file(name.c_str(), sourceFile.get()));
  GRef<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
  GErrorSlot error;
  if (!gcab_folder_add_file(folder.get(), entry.get(), FALSE, nullptr, error.Out()))
    return Fail(CabinetTag::kAddFile, error.Message());

  // Adding the file set libgcab's own attributes and UTC time; ours replace them.
  std::uint32_t attributes = CabinetAttr::kArchive;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= CabinetAttr::kReadOnly;
  if (source.filename().string().starts_with('.')) attributes |= CabinetAttr::kHidden;
  if (!IsAscii(name)) attributes |= CabinetAttr::kNameIsUtf8;
  gcab_file_set_attributes(entry.get(), attributes);
  const WallTime wall = LocalWallTime(info.st_mtime);
  GDateTimeRef stamp(
      g_date_time_new_utc(wall.year, wall.month, wall.day, wall.hour, wall.minute, wall.second));
  if (!stamp) return Fail(CabinetTag::kAddFile, "cannot convert the modification time");
  gcab_file_set_date_time(entry.get(), stamp.get());

  GRef<GCabCabinet> cabinet(gcab_cabinet_new());
  if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), error.Out()))
    return Fail(CabinetTag::kAddFile, error.Message());

  struct stat before {};
  const bool existed = lstat(cabinetPath.c_str(), &before) == 0;
  GRef<GFile> destination(g_file_new_for_path(cabinetPath.c_str()));
  // libgcab closes the stream it writes to and would drop an error of that
  // close. It gets the output half of a read-write stream, whose close leaves
  // the file open; the real close below commits it and reports its errors.
  GRef<GFileIOStream> file(g_file_replace_readwrite(
      destination.get(), nullptr, FALSE, G_FILE_CREATE_REPLACE_DESTINATION, nullptr, error.Out()));
  if (!file) return Fail(CabinetTag::kCabinetCreate, error.Message());
  GIOStream* io = G_IO_STREAM(file.get());
  GOutputStream* out = g_io_stream_get_output_stream(io);

  // Closing with a cancelled cancellable keeps glib from committing a replacement.
  auto abandon = [&](std::string detail) {
    GRef<GCancellable> stop(g_cancellable_new());
    g_cancellable_cancel(stop.get());
    g_io_stream_close(io, stop.get(), nullptr);
    if (!existed) unlink(cabinetPath.c_str());
    return Fail(CabinetTag::kFlushCabinet, std::move(detail));
  };
  if (!gcab_cabinet_write_simple(cabinet.get(), out, nullptr, nullptr, nullptr, error.Out()))
    return abandon(error.Message());
  if (!G_IS_FILE_DESCRIPTOR_BASED(out) ||
      fsync(g_file_descriptor_based_get_fd(G_FILE_DESCRIPTOR_BASED(out))) != 0)
    return abandon(ErrnoText("cannot flush " + cabinetPath.string()));
  if (!g_io_stream_close(io, nullptr, error.Out())) {
    if (!existed) unlink(cabinetPath.c_str());
    return Fail(CabinetTag::kFlushCabinet, error.Message());
  }
  CabinetResult ok;
  ok.ok = true;
  return ok;
}

// ---- Data blocks with checksum 0 ------------------------------------------------

/// What the checksums of a cabinet's data blocks say.
enum class BlockChecksums { Computed, SomeNotComputed, Wrong };

std::uint32_t BlockChecksum(const unsigned char* bytes, std::size_t size, std::uint32_t seed) {
  std::size_t i = 0;
  for (; i + 4 <= size; i += 4)
    seed ^= std::uint32_t{bytes[i]} | std::uint32_t{bytes[i + 1]} << 8 | std::uint32_t{bytes[i + 2]} << 16 |
            std::uint32_t{bytes[i + 3]} << 24;
  std::uint32_t tail = 0;
  for (int shift = 8 * static_cast<int>(size - i - 1); i < size; ++i, shift -= 8) tail |= std::uint32_t{bytes[i]} << shift;
  return seed ^ tail;
}

/// Walks every data block of the cabinet: a checksum of 0 is the format's
/// "not computed"; every other one must match its block. A cabinet it cannot
/// walk is left to the library (Computed), which then reports the damage.
BlockChecksums CheckBlockChecksums(const fs::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return BlockChecksums::Computed;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
  auto read = [file](void* into, std::size_t n) { return std::fread(into, 1, n, file) == n; };
  auto u16 = [](const unsigned char* b) { return static_cast<std::uint32_t>(b[0] | b[1] << 8); };
  auto u32 = [](const unsigned char* b) {
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
  };
  unsigned char header[36];
  if (!read(header, sizeof header) || std::memcmp(header, "MSCF", 4) != 0) return BlockChecksums::Computed;
  const std::uint32_t folders = u16(header + 26), flags = u16(header + 30);
  std::uint32_t folderReserve = 0, dataReserve = 0;
  if (flags & 4) {
    unsigned char sizes[4];
    if (!read(sizes, 4)) return BlockChecksums::Computed;
    folderReserve = sizes[2];
    dataReserve = sizes[3];
    if (std::fseek(file, static_cast<long>(u16(sizes)), SEEK_CUR) != 0) return BlockChecksums::Computed;
  }
  // The names of a previous and a next cabinet: two strings each.
  for (int strings = ((flags & 1) ? 2 : 0) + ((flags & 2) ? 2 : 0); strings > 0; --strings) {
    int c = 0;
    while ((c = std::fgetc(file)) > 0) {
    }
    if (c < 0) return BlockChecksums::Computed;
  }
  std::vector<std::pair<std::uint32_t, std::uint32_t>> starts;  // first block, block count
  for (std::uint32_t f = 0; f < folders; ++f) {
    unsigned char entry[8];
    if (!read(entry, 8) || std::fseek(file, static_cast<long>(folderReserve), SEEK_CUR) != 0)
      return BlockChecksums::Computed;
    starts.emplace_back(u32(entry), u16(entry + 4));
  }
  bool zero = false;
  std::vector<unsigned char> block;
  for (const auto& [at, count] : starts) {
    if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0) return BlockChecksums::Computed;
    for (std::uint32_t b = 0; b < count; ++b) {
      unsigned char head[8];
      if (!read(head, 8)) return BlockChecksums::Computed;
      block.resize(4 + dataReserve + u16(head + 4));
      std::memcpy(block.data(), head + 4, 4);
      if (!read(block.data() + 4, block.size() - 4)) return BlockChecksums::Computed;
      const std::uint32_t stored = u32(head);
      if (stored == 0) {
        zero = true;
        continue;
      }
      const std::size_t dataAt = 4 + dataReserve;
      const std::uint32_t computed =
          BlockChecksum(block.data(), dataAt, BlockChecksum(block.data() + dataAt, block.size() - dataAt, 0));
      if (computed != stored) return BlockChecksums::Wrong;
    }
  }
  return zero ? BlockChecksums::SomeNotComputed : BlockChecksums::Computed;
}

/// Lets libgcab skip its checksum test while it lives: used only once every
/// computed checksum has been checked here, for data blocks whose checksum is
/// the format's "not computed" 0 (which libgcab refuses; cabextract accepts it).
class SkippedChecksums {
 public:
  explicit SkippedChecksums(bool skip) : skip_(skip) {
    if (skip_) g_setenv("GCAB_SKIP_CHECKSUM", "1", TRUE);
  }
  ~SkippedChecksums() {
    if (skip_) g_unsetenv("GCAB_SKIP_CHECKSUM");
  }
  SkippedChecksums(const SkippedChecksums&) = delete;
  SkippedChecksums& operator=(const SkippedChecksums&) = delete;

 private:
  bool skip_;
};

ExtractResult ExtractCabinet(const fs::path& cabinetPath, const fs::path& targetFolder,
                             const ExtractOptions& options) {
  // Declared before every library object, so the stream's pointer to it never dangles.
  ExtractContext context;
  context.options = &options;
  GRef<GCancellable> cancellable(g_cancellable_new());
  context.cancellable = cancellable.get();

  GErrorSlot error;
  GRef<GFile> cabinetFile(g_file_new_for_path(cabinetPath.c_str()));
  GRef<GFileInputStream> raw(g_file_read(cabinetFile.get(), nullptr, error.Out()));
  if (!raw) return Fail<ExtractResult>(CabinetTag::kFileCopy, error.Message());
  std::error_code sizeError;
  context.total = fs::file_size(cabinetPath, sizeError);
  if (sizeError) return Fail<ExtractResult>(CabinetTag::kFileCopy, sizeError.message());
  GRef<GInputStream> stream = MakeCountingStream(G_INPUT_STREAM(raw.release()), &context);

  if (!context.Progress(0, true)) return Fail<ExtractResult>(CabinetTag::kCancelled, "cancelled");
  const BlockChecksums checksums = CheckBlockChecksums(cabinetPath);
  if (checksums == BlockChecksums::Wrong)
    return Fail<ExtractResult>(CabinetTag::kFileCopy, "a data block does not match its checksum");
  // libgcab takes its checksum switch when it loads the cabinet.
  const SkippedChecksums skipped(checksums == BlockChecksums::SomeNotComputed);
  GRef<GCabCabinet> cabinet(gcab_cabinet_new());
  if (!gcab_cabinet_load(cabinet.get(), stream.get(), cancellable.get(), error.Out())) {
    if (context.cancelled) return Fail<ExtractResult>(CabinetTag::kCancelled, "cancelled");
    return Fail<ExtractResult>(CabinetTag::kFileCopy, error.Message());
  }

  const fs::path target = targetFolder.empty() ? fs::path(".") : targetFolder;
  ExtractResult planned = PlanEntries(cabinet.get(), target, context.plan);
  if (!planned) return planned;
  std::uint64_t declared = 0;
  for (const PlannedEntry& entry : context.plan) declared += entry.file.size;
  if (options.maxTotalBytes != 0 && declared > options.maxTotalBytes)
    return Fail<ExtractResult>(CabinetTag::kTooLarge, "the cabinet holds more bytes than allowed");

  std::error_code folderError;
  fs::create_directories(target, folderError);
  if (!fs::is_directory(target, folderError))
    return Fail<ExtractResult>(CabinetTag::kMakeContext,
                               "cannot make the folder " + target.string());
  StagingFolder staging(target);
  if (staging.Path().empty())
    return Fail<ExtractResult>(CabinetTag::kMakeContext,
                               ErrnoText("cannot make a folder in " + target.string()));
  context.staging = staging.Path();

  GRef<GFile> stagingFile(g_file_new_for_path(staging.Path().c_str()));
  const bool extracted = gcab_cabinet_extract(cabinet.get(), stagingFile.get(), OnEntry, nullptr,
                                              &context, cancellable.get(), error.Out());
  if (!context.cancelled && !context.failed) {
    if (!extracted)
      context.SetFailure(CabinetTag::kFileCopy, error.Message());
    else
      context.PlacePending();
  }
  if (context.cancelled) {
    ExtractResult stopped = Fail<ExtractResult>(CabinetTag::kCancelled, "cancelled");
    stopped.files = std::move(context.result.files);
    return stopped;
  }
  if (context.failed) return std::move(context.result);
  context.Progress(context.total, true);
  context.result.ok = true;
  return std::move(context.result);
}

}  // namespace

CabinetResult GcabCabinet::WriteSingleFile(const fs::path& source, std::string_view storedName,
                                           const fs::path& cabinetPath) const {
  try {
    return WriteCabinet(source, storedName, cabinetPath);
  } catch (const std::exception& error) {
    return Fail(CabinetTag::kFlushCabinet, error.what());
  }
}

ExtractResult GcabCabinet::ExtractAll(const fs::path& cabinetPath, const fs::path& targetFolder,
                                      const ExtractOptions& options) const {
  try {
    return ExtractCabinet(cabinetPath, targetFolder, options);
  } catch (const std::exception& error) {
    return Fail<ExtractResult>(CabinetTag::kFileCopy, error.what());
  }
}

}  // namespace plume::platform
