#include "document/CTesselDoc.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>

#include "document/ChartFile.h"
#include "document/DurableFiles.h"
#include "document/WorkFolder.h"
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

struct SplitPath {
  fs::path folder;   ///< up to and including the last "/"
  std::string name;  ///< after it, never empty
};

// Splits at the last "/"; nullopt without one or with nothing after it.
std::optional<SplitPath> Split(const fs::path& path) {
  const std::string& text = path.native();
  const std::size_t slash = text.rfind('/');
  if (slash == std::string::npos || slash + 1 == text.size()) return std::nullopt;
  return SplitPath{text.substr(0, slash + 1), text.substr(slash + 1)};
}

bool EndsWithPbd(const fs::path& path) {
  return platform::EndsWithNoCase(path.native(), "PBD");
}

// The folder that receives the data file of a document in `documentFolder`:
// the work folder, or a sub-folder of it when the document itself lies in the
// work folder (its data file would otherwise take the document's own place).
fs::path DataFolderFor(const fs::path& documentFolder) {
  const fs::path work = GetWorkFolder();
  if (work.empty()) return {};
  struct stat a {}, b {};
  const bool same = stat(work.c_str(), &a) == 0 && stat(documentFolder.c_str(), &b) == 0 &&
                    a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  return same ? GetWorkFolder("data") : work;
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

bool CTesselDoc::RunJob(ShoriJob& job) {
  job.SetIoSteps(steps_);
  if (services_.runner) return services_.runner->Run(job);
  return job.Run();
}

void CTesselDoc::Recorded(const fs::path& path) {
  path_ = path;
  modified_ = false;
  if (services_.view) services_.view->AddRecentFile(path);
}

void CTesselDoc::NewDocument() {
  doc_.NewDocument();
  path_.clear();
  modified_ = false;
}

bool CTesselDoc::OpenDocument(const fs::path& path) {
  if (!ReadDocumentFile(path)) {
    // Never leave half-read tables for the user to edit and save.
    NewDocument();
    return false;
  }
  Recorded(path);
  if (services_.view) services_.view->DocumentOpened();
  return true;
}

bool CTesselDoc::ReadDocumentFile(const fs::path& path) {
  if (doc_.nodeCount > 0) doc_.Clear();
  if (!EndsWithPbd(path)) return false;

  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return ShowWithPath(StringId::FileNotFound, path);
  if (S_ISDIR(info.st_mode)) {
    platform::ShowMessage(StringId::FolderCannotOpen);
    return false;
  }
  const std::optional<SplitPath> split = Split(path);
  if (!split) return false;
  const fs::path work = DataFolderFor(split->folder);
  if (work.empty()) return false;

  ShoriJob job = ShoriJob::Unpack(cabinet_, work, split->name, split->folder);
  if (!RunJob(job) || !job.LastExtracted()) return false;
  const fs::path& extracted = *job.LastExtracted();

  bool ok = false;
  {
    std::ifstream in(extracted, std::ios::binary);
    if (!in) {
      unlink(extracted.c_str());
      return ShowWithPath(StringId::FileOpenFailed, path);
    }
    ok = ReadChart(doc_, in, codec_);
  }
  unlink(extracted.c_str());
  return ok;
}

bool CTesselDoc::SaveDocument(const fs::path& path) {
  if (!WriteDocumentFile(path)) return false;
  settings::Set(settings_, settings::Last::FilePath, path.string());
  Recorded(path);
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

  const std::optional<SplitPath> split = Split(path);
  if (!split) return false;
  const fs::path work = DataFolderFor(split->folder);
  if (work.empty()) return false;
  const fs::path data = work / split->name;

  {
    std::ofstream out;
    if (Proceed(steps_, IoStep::DataCreate)) out.open(data, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return ShowWithPath(StringId::FileOpenFailed, data);
    bool written = Proceed(steps_, IoStep::DataWrite) && WriteChart(doc_, out);
    out.close();
    if (!written || !out) {
      unlink(data.c_str());
      return ShowWithPath(StringId::SaveFailed, data);
    }
  }

  // The old file is not deleted: packing renames the finished cabinet over it.
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0 && settings::Get(settings_, settings::KanSet::MakeBackup) == 1) {
    const fs::path backup = BackupPathFor(path);
    if (backup.empty() || !CopyFileDurably(path, backup, steps_)) {
      unlink(data.c_str());
      platform::ShowMessage(StringId::BackupFailed);
      return false;
    }
  }

  ShoriJob job = ShoriJob::Pack(cabinet_, data, split->name, split->folder);
  const bool packed = RunJob(job);
  unlink(data.c_str());
  return packed;
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
  if (!chosen) return false;
  // A material must belong to a document that exists on disk: a failed save
  // is a failure here too (the message has been shown).
  return SaveDocument(*chosen);
}

bool CTesselDoc::Save() { return path_.empty() ? SaveAs() : SaveDocument(path_); }

bool CTesselDoc::SaveAs() {
  platform::SaveFileRequest request;
  request.filter = "Plumeboard Files (*.pbd)|*.pbd||";
  request.defaultExtension = "pbd";
  request.initialName = path_.empty() ? std::string() : path_.string();
  request.confirmOverwrite = true;
  const std::optional<fs::path> chosen =
      services_.dialogs ? services_.dialogs->AskSaveFile(request) : std::nullopt;
  return chosen && SaveDocument(*chosen);
}

}  // namespace plume::document
