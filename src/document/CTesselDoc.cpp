#include "document/CTesselDoc.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "document/ChartFile.h"
#include "platform/DurableFiles.h"
#include "platform/ExclusiveFile.h"
#include "platform/UserOutput.h"
#include "platform/WorkFolder.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/HasExtension.h"

namespace plume::document {
namespace {

namespace fs = std::filesystem;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::StringId;
namespace settings = platform::settings;

// Removes a scratch file on every way out of the scope that made it.
class RemovedAtExit {
 public:
  explicit RemovedAtExit(fs::path path) : path_(std::move(path)) {}
  ~RemovedAtExit() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  RemovedAtExit(const RemovedAtExit&) = delete;
  RemovedAtExit& operator=(const RemovedAtExit&) = delete;

 private:
  fs::path path_;
};

// A document path as folder and file name; nullopt without a file name.
struct SplitPath {
  fs::path folder;
  std::string name;
};

std::optional<SplitPath> Split(const fs::path& path) {
  if (!path.has_filename() || !path.has_parent_path()) return std::nullopt;
  return SplitPath{path.parent_path(), path.filename().string()};
}

bool EndsWithPbd(const fs::path& path) {
  return platform::EndsWithNoCase(path.native(), "PBD");
}

// The folder that receives the data file of a document in `documentFolder`:
// this process's scratch folder, or a sub-folder of it when the document
// itself lies there (its data file would otherwise take the document's place).
fs::path DataFolderFor(const fs::path& documentFolder) {
  const fs::path scratch = platform::GetScratchFolder();
  if (scratch.empty()) return {};
  std::error_code error;
  return fs::equivalent(scratch, documentFolder, error) ? platform::GetScratchFolder("data") : scratch;
}

bool ShowWithPath(StringId id, const fs::path& path) {
  platform::ShowMessage(id, path.string() + "\n");
  return false;
}

}  // namespace
CTesselDoc::CTesselDoc(ChartDocument& doc, platform::SettingsStore& settings, const platform::Cabinet& cabinet,
                       const platform::PictureCodec& codec, Services services)
    : doc_(doc), settings_(settings), cabinet_(cabinet), codec_(codec), services_(services) {}

fs::path CTesselDoc::BackupPathFor(const fs::path& path) {
  // Only a "." of the file name counts: one in a folder name would put the
  // backup into the parent folder under a wrong name.
  const std::string name = path.filename().string();
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return path.parent_path() / (name.substr(0, dot) + "(back).PBD");
}

std::uint64_t CTesselDoc::ExtractionCap(const fs::path& folder) {
  constexpr std::uint64_t kReserve = std::uint64_t{64} << 20;
  std::error_code error;
  const fs::space_info space = fs::space(folder, error);
  if (error) return kMaxExtractedBytes;
  // At least one byte: 0 would mean no limit.
  return std::max<std::uint64_t>(1, std::min(kMaxExtractedBytes, space.available > kReserve ? space.available - kReserve : 0));
}

bool CTesselDoc::RunJob(ShoriJob& job) {
  job.SetIoSteps(steps_);
  if (services_.runner) return services_.runner->Run(job);
  return job.Run();
}

JobGate::Ticket CTesselDoc::HoldGate(const char* what) {
  // Entry points refuse while the gate is held, so a save that finds it held
  // runs inside the job that holds it, which keeps timers and drops waiting.
  return services_.jobs ? services_.jobs->TryBegin(what) : JobGate::Ticket();
}

void CTesselDoc::Recorded(const fs::path& path, bool modified) {
  path_ = path;
  proposed_.clear();
  base_ = StampOf(path);
  restored_.reset();
  SetModified(modified);
  if (services_.view) services_.view->AddRecentFile(path);
}

void CTesselDoc::NewDocument() {
  doc_.NewDocument();
  path_.clear();
  proposed_.clear();
  base_.reset();
  restored_.reset();
  SetModified(false);
}

void CTesselDoc::AdoptRecovered(ChartDocument& read, const RecoveryRecord& record) {
  doc_.SwapContents(read);
  path_.clear();
  proposed_ = record.original;
  base_ = record.base;
  restored_ = record;
  // Announced even when the flag was already set: the restored state needs a copy of its own.
  doc_.Changes().MarkModified();
}

bool CTesselDoc::MayOverwriteOriginal(const fs::path& chosen) {
  if (!restored_ || restored_->original.empty()) return true;
  std::error_code error;
  const bool original = chosen == restored_->original || fs::equivalent(chosen, restored_->original, error);
  if (!original || !OriginalChangedSince(*restored_)) return true;
  return platform::ShowMessage(StringId::RecoveryOriginalChanged, restored_->original.string() + "\n",
                               MsgIcon::Warning, MsgButtons::YesNo) == MsgResult::Yes;
}

bool CTesselDoc::OpenDocument(const fs::path& path) {
  const JobGate::Ticket ticket = HoldGate("open");
  // Read aside: the open document stays as it was unless the whole read succeeds.
  std::unique_ptr<ChartDocument> read = ChartDocument::Create();
  if (!read || !ReadDocumentFile(path, *read)) return false;
  // What a save killed half-way left beside the document (and its backup) goes now.
  platform::RemoveDeadTemporaries(path);
  if (const fs::path backup = BackupPathFor(path); !backup.empty()) platform::RemoveDeadTemporaries(backup);
  doc_.SwapContents(*read);
  Recorded(path);
  return true;
}

bool CTesselDoc::ReadDocumentFile(const fs::path& path, ChartDocument& into) {
  if (!EndsWithPbd(path)) return false;

  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return ShowWithPath(StringId::FileNotFound, path);
  if (fs::is_directory(status)) {
    platform::ShowMessage(StringId::FolderCannotOpen);
    return false;
  }
  // A FIFO or a device would block the unpack or feed it without end.
  if (!fs::is_regular_file(status)) return ShowWithPath(StringId::NotARegularFile, path);
  const std::optional<SplitPath> split = Split(path);
  if (!split) return false;
  const fs::path work = DataFolderFor(split->folder);
  if (work.empty()) return false;

  ShoriJob job = ShoriJob::Unpack(cabinet_, work, split->name, split->folder);
  // A small file may unpack to gigabytes: refused before anything is written.
  job.SetMaxBytes(ExtractionCap(work));
  const bool unpacked = RunJob(job);
  // Whatever the unpack placed goes when this read ends, however it ends.
  std::vector<std::unique_ptr<RemovedAtExit>> placed;
  for (const fs::path& file : job.Extracted())
    if (file.parent_path() == work) placed.push_back(std::make_unique<RemovedAtExit>(file));
  if (!unpacked || !job.LastExtracted()) return false;
  const fs::path& extracted = *job.LastExtracted();
  RemovedAtExit extractedGoes(extracted);

  std::ifstream in(extracted, std::ios::binary);
  if (!in) return ShowWithPath(StringId::FileOpenFailed, path);
  return ReadChart(into, in, codec_);
}

bool CTesselDoc::SaveDocument(const fs::path& path) {
  const JobGate::Ticket ticket = HoldGate("save");
  const auto editsBefore = doc_.Changes().EditCount();
  if (!WriteDocumentFile(path)) return false;
  settings::Set(settings_, settings::Last::FilePath, path.string());
  // An edit that slipped in while the file was written is not in it.
  Recorded(path, doc_.Changes().EditCount() != editsBefore);
  return true;
}

bool CTesselDoc::WriteDocumentFile(const fs::path& path) {
  if (services_.view && doc_.header.currentPage < doc_.pages.size()) {
    if (const std::optional<ScrollPosition> scroll = services_.view->CurrentScroll()) {
      doc_.CurrentPage().scrollX = scroll->x;
      doc_.CurrentPage().scrollY = scroll->y;
    }
  }
  for (int i = 0; i < doc_.nodeCount; ++i) doc_.nodeStates[i].selected = 0;
  for (int i = 0; i < doc_.slipCount; ++i) doc_.slips[i].selected = 0;

  // A link is followed and its target replaced; a read-only or non-regular target refuses the save.
  const std::optional<fs::path> target = platform::ResolveOutputTarget(path);
  if (!target) return false;
  const std::optional<SplitPath> split = Split(*target);
  if (!split) return false;
  const fs::path work = DataFolderFor(split->folder);
  if (work.empty()) return false;
  const fs::path data = work / split->name;

  // The scratch folder is this process's own: a leftover of an earlier save
  // is removed, and the data file is created anew, never written through.
  std::error_code error;
  fs::remove(data, error);
  RemovedAtExit dataGoes(data);
  {
    std::optional<platform::ExclusiveFile> out;
    if (platform::Proceed(steps_, platform::IoStep::DataCreate)) out.emplace(data);
    if (!out || !out->IsOpen()) return ShowWithPath(StringId::FileOpenFailed, data);
    const bool written = platform::Proceed(steps_, platform::IoStep::DataWrite) && WriteChart(doc_, out->Stream());
    if (!out->Finish() || !written) return ShowWithPath(StringId::SaveFailed, data);
  }

  // The old file is not deleted: packing renames the finished cabinet over it.
  if (fs::exists(fs::symlink_status(*target, error)) && settings::Get(settings_, settings::KanSet::MakeBackup) == 1) {
    const fs::path backup = BackupPathFor(*target);
    if (backup.empty() || !platform::CopyFileDurably(*target, backup, steps_)) {
      platform::ShowMessage(StringId::BackupFailed);
      return false;
    }
  }

  ShoriJob job = ShoriJob::Pack(cabinet_, data, split->name, split->folder);
  return RunJob(job);
}

bool CTesselDoc::EnsureSaved() {
  if (!path_.empty()) return true;
  if (platform::ShowMessage(StringId::DocumentNotSavedAsk, {}, MsgIcon::Question, MsgButtons::YesNo) !=
      MsgResult::Yes)
    return false;
  platform::SaveFileRequest request;
  request.title = "保存するファイルを指定";
  request.filter = "Plumeboard File|*.PBD||";
  request.defaultExtension = "PBD";
  request.hideReadOnly = true;
  request.confirmOverwrite = false;
  const std::optional<fs::path> chosen =
      services_.dialogs ? services_.dialogs->AskSaveFile(request) : std::nullopt;
  if (!chosen || !MayOverwriteOriginal(*chosen)) return false;
  // A material must belong to a document that exists on disk: a failed save
  // is a failure here too (the message has been shown).
  return SaveDocument(*chosen);
}

bool CTesselDoc::Save() { return path_.empty() ? SaveAs() : SaveDocument(path_); }

bool CTesselDoc::SaveAs() {
  platform::SaveFileRequest request;
  request.filter = "Plumeboard Files (*.pbd)|*.pbd||";
  request.defaultExtension = "pbd";
  request.initialName = OriginalPath().string();
  request.confirmOverwrite = true;
  const std::optional<fs::path> chosen =
      services_.dialogs ? services_.dialogs->AskSaveFile(request) : std::nullopt;
  return chosen && MayOverwriteOriginal(*chosen) && SaveDocument(*chosen);
}

}  // namespace plume::document
