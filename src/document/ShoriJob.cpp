#include "document/ShoriJob.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/DurableFiles.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"

namespace plume::document {
namespace {

namespace fs = std::filesystem;
using platform::CabinetTag;
using platform::MsgIcon;
using platform::StringId;

bool CannotWrite() {
  platform::ShowMessage(StringId::NoWriteAccess, {}, MsgIcon::Information);
  return false;
}

bool UnusableName(std::string_view tag = CabinetTag::kFileName) {
  platform::ShowMessage(StringId::StoredNameUnusable, std::string(tag) + "\n");
  return false;
}

// True when `file` is a regular file (not a link) directly inside `folder`.
bool IsPlainFileIn(const fs::path& file, const fs::path& folder) {
  const fs::path name = file.filename();
  if (name.empty() || name == "." || name == "..") return false;
  if ((file.lexically_normal().parent_path() / "") != (folder / "").lexically_normal()) return false;
  return platform::IsRegularFile(file, false);
}

}  // namespace

ShoriJob ShoriJob::Pack(const platform::Cabinet& cabinet, fs::path source, std::string storedName,
                        fs::path cabinetFolder) {
  return ShoriJob(cabinet, Mode::Pack, std::move(source), std::move(storedName), std::move(cabinetFolder));
}

ShoriJob ShoriJob::Unpack(const platform::Cabinet& cabinet, fs::path destination, std::string cabinetName,
                          fs::path cabinetFolder) {
  return ShoriJob(cabinet, Mode::Unpack, std::move(destination), std::move(cabinetName), std::move(cabinetFolder));
}

bool ShoriJob::Run(const ProgressFn& progress) {
  if (progress) progress(0);
  const bool ok = mode_ == Mode::Pack ? RunPack(progress) : RunUnpack(progress);
  if (ok && progress) progress(100);
  return ok;
}

bool ShoriJob::RunPack(const ProgressFn& progress) {
  const fs::path target = folder_ / name_;
  platform::RemoveDeadTemporaries(target);  // what killed saves left beside the document
  const fs::path temp = platform::TemporarySibling(target);
  if (!platform::Proceed(steps_, platform::IoStep::CabinetWrite) || !cabinet_->WriteSingleFile(first_, name_, temp)) {
    unlink(temp.c_str());
    return CannotWrite();
  }
  if (progress) progress(80);
  // The new file takes the old one's permissions, as an in-place rewrite would keep them.
  if (!platform::Proceed(steps_, platform::IoStep::CabinetSync) || !platform::CopyPermissions(target, temp) || !platform::SyncToDisk(temp) ||
      !platform::Proceed(steps_, platform::IoStep::CabinetRename) || rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return CannotWrite();
  }
  if (progress) progress(95);
  // Without the folder flushed the rename might not survive a power cut.
  if (!platform::Proceed(steps_, platform::IoStep::CabinetFolderSync) || !platform::SyncToDisk(folder_.empty() ? fs::path(".") : folder_))
    return CannotWrite();
  return true;
}

bool ShoriJob::RunUnpack(const ProgressFn& progress) {
  platform::ExtractOptions options;
  options.maxTotalBytes = maxBytes_;
  if (progress) {
    options.onProgress = [&progress](std::uint64_t done, std::uint64_t total) {
      if (total > 0) progress(static_cast<int>(std::min<std::uint64_t>(99, done * 100 / total)));
      return true;
    };
  }
  const platform::ExtractResult result = cabinet_->ExtractAll(folder_ / name_, first_, options);
  if (!result) {
    if (result.tag == CabinetTag::kFileName) return UnusableName();
    if (result.tag == CabinetTag::kTooLarge) {
      platform::ShowMessage(StringId::DocumentTooLarge);
      return false;
    }
    const std::string tag = result.tag.empty() ? std::string(CabinetTag::kFileCopy) : result.tag;
    platform::ShowMessage(StringId::ExtractFailed, tag + "\n");
    return false;
  }
  for (const platform::ExtractedFile& file : result.files) extracted_.push_back(file.path);
  if (result.files.empty()) {
    platform::ShowMessage(StringId::NoChartInCabinet);
    return false;
  }
  // The name came from the cabinet: only a plain file the cabinet service put
  // straight into the destination is read and later deleted.
  const fs::path& last = result.files.back().path;
  if (!IsPlainFileIn(last, first_)) return UnusableName();
  lastExtracted_ = last;
  return true;
}

}  // namespace plume::document
