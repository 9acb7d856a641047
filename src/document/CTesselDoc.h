#pragma once
// The document object: opens, saves and renews the one ChartDocument and
// keeps its path; the modified flag is the document's own. A document file (.pbd) is a cabinet that
// holds one chart data file stored under the document's file name; it is
// unpacked into and packed from the work folder.

#include <cstdint>
#include <filesystem>
#include <string>

#include "document/ChartDocument.h"
#include "document/DocumentViewHooks.h"
#include "platform/IoStep.h"
#include "document/RecoveryRecord.h"
#include "document/JobGate.h"
#include "document/ShoriRunner.h"
#include "platform/Cabinet.h"
#include "platform/FileDialogs.h"
#include "platform/Picture.h"
#include "platform/SettingsStore.h"

namespace plume::document {

/// Optional services of a document object; null members take the do-nothing
/// defaults (no file chooser: every choice is cancelled; jobs run without a
/// dialog; no gate: nothing else runs anyway).
struct DocumentServices {
  platform::FileDialogs* dialogs = nullptr;
  ShoriRunner* runner = nullptr;
  DocumentViewHooks* view = nullptr;
  /// The one long job at a time: a save or an open holds it while it runs, so
  /// timers and drops wait (the processing dialog lets their events through).
  JobGate* jobs = nullptr;
};

class CTesselDoc {
 public:
  using Services = DocumentServices;

  CTesselDoc(ChartDocument& doc, platform::SettingsStore& settings, const platform::Cabinet& cabinet,
             const platform::PictureCodec& codec, Services services = {});

  /// Opens a document file. On success the path is recorded, the document is
  /// unmodified, the path joins the recent files and the view shows the
  /// current page. The file is read into a document of its own, which takes
  /// the open one's place only when the whole read succeeded: any failure
  /// (shown where it happens, or silently for a name not ending in "PBD")
  /// leaves the open document, its path and modified flag untouched. Hidden
  /// temporary files that a killed save left beside the file are removed.
  bool OpenDocument(const std::filesystem::path& path);

  /// Saves to `path`, keeping the old file as "name(back).PBD" when KanSet
  /// MakeBackup is 1. The old file is replaced only once the new one is
  /// complete on disk. On success: Last FilePath = path, the path is recorded,
  /// the path joins the recent files and the document is unmodified, unless
  /// it changed while the save ran (then what is on show is not what was
  /// saved, and it stays modified). On failure the message has been shown and
  /// the document stays modified.
  bool SaveDocument(const std::filesystem::path& path);

  /// A new empty document without a path, unmodified.
  void NewDocument();

  /// Makes sure the document has a file: without a path, asks 30023 and then
  /// for a file to save to. True when the document has a path afterwards.
  bool EnsureSaved();

  /// Puts a document read from a recovery copy in place of the open one: it
  /// has no path and is modified, so its first save asks where to write,
  /// proposing the original file and warning (30700) when that file changed
  /// after the copy was taken.
  void AdoptRecovered(ChartDocument& read, const RecoveryRecord& record);
  /// The file a copy of this document belongs to: its path, or for a restored
  /// document the original file it was a copy of.
  const std::filesystem::path& OriginalPath() const { return path_.empty() ? proposed_ : path_; }
  /// That file as this document last read or wrote it; nullopt when unknown.
  const std::optional<FileStamp>& OriginalStamp() const { return base_; }

  /// Save command: SaveDocument to the current path, or SaveAs without one.
  bool Save();
  /// Save As command: asks for a path (proposing the current file name), then saves.
  bool SaveAs();

  const std::filesystem::path& Path() const { return path_; }
  /// The document's own modified flag (ChartDocument::Changes).
  bool IsModified() const { return doc_.Changes().IsModified(); }
  void SetModified(bool modified = true) { doc_.Changes().SetModified(modified); }
  ChartDocument& Document() { return doc_; }

  /// Called before each file-system step of a save (see IoStep).
  void SetIoSteps(platform::IoStepFn steps) { steps_ = std::move(steps); }

  /// The most a document may unpack to: 1 GiB (the largest chart tables
  /// take 3.4 MB; the rest is room for pictures), and never more than the
  /// free space of `folder` less 64 MiB.
  static std::uint64_t ExtractionCap(const std::filesystem::path& folder);
  static constexpr std::uint64_t kMaxExtractedBytes = std::uint64_t{1} << 30;

  /// "name(back).PBD" beside `path`, cutting the file name at its last ".";
  /// empty when the file name has no ".".
  static std::filesystem::path BackupPathFor(const std::filesystem::path& path);

 private:
  bool ReadDocumentFile(const std::filesystem::path& path, ChartDocument& into);
  bool WriteDocumentFile(const std::filesystem::path& path);
  bool RunJob(ShoriJob& job);
  /// False when `chosen` is the original of a restored document that changed
  /// after its copy was taken and the user does not want it overwritten.
  bool MayOverwriteOriginal(const std::filesystem::path& chosen);
  /// Holds the job gate for a save or an open; an empty ticket when there is
  /// no gate or the job that holds it is the one saving (a capture's EnsureSaved).
  JobGate::Ticket HoldGate(const char* what);
  void Recorded(const std::filesystem::path& path, bool modified = false);

  ChartDocument& doc_;
  platform::SettingsStore& settings_;
  const platform::Cabinet& cabinet_;
  const platform::PictureCodec& codec_;
  Services services_;
  std::filesystem::path path_;
  std::filesystem::path proposed_;            ///< restored document: its original file
  std::optional<FileStamp> base_;             ///< the original as last read or written
  std::optional<RecoveryRecord> restored_;    ///< the copy a restored document came from
  platform::IoStepFn steps_;
};

}  // namespace plume::document
