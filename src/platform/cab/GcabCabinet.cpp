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

#include "platform/cab/BlockChecksums.h"
#include "platform/cab/CabinetNames.h"
#include "platform/cab/ProgressInputStream.h"

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

// ---- Folder size and stored times --------------------------------------------

/// Largest file a cabinet folder holds: 65535 data blocks of 32 KiB.
constexpr std::uint64_t kMaxFolderBytes = 0x7FFF8000;

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
      std::optional<std::string> stored = cab::DecodeStoredName(raw != nullptr ? raw : "", attributes);
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
      std::string name = cab::BaseName(*stored);
      if (name.empty() || name == "." || name == ".." || name.size() > cab::kMaxStoredNameBytes)
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
  if (std::string problem = cab::StoredNameProblem(storedName); !problem.empty())
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
  if (!cab::IsAscii(name)) attributes |= CabinetAttr::kNameIsUtf8;
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
  // Reading the cabinet reports how far it got; the caller's cancel stops the read.
  GRef<GInputStream> stream(MakeProgressStream(
      G_INPUT_STREAM(raw.release()),
      [](void* data, std::uint64_t position) {
        auto* reading = static_cast<ExtractContext*>(data);
        try {
          return reading->Progress(position, false);
        } catch (...) {
          reading->cancelled = true;
          return false;
        }
      },
      &context));

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
