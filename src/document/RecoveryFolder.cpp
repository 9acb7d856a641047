#include "document/RecoveryFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "document/CTesselDoc.h"
#include "document/ChartFile.h"
#include "platform/DurableFiles.h"
#include "platform/FileDescriptor.h"
#include "platform/WorkFolder.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::document {
namespace {

namespace fs = std::filesystem;

// The id a file of the folder belongs to: its name up to the first ".".
std::string IdOf(const std::string& name) {
  const std::size_t dot = name.find('.');
  return dot == std::string::npos || dot == 0 ? std::string() : name.substr(0, dot);
}

std::optional<std::string> ReadSmallFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(64 * 1024 + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

void RemoveQuietly(const fs::path& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

}  // namespace

fs::path DefaultRecoveryFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state == '/') return fs::path(state) / "Plumeboard" / "recovery";
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return fs::path(home) / ".local" / "state" / "Plumeboard" / "recovery";
  return {};
}

void RemoveDeadSaveLeftovers(const fs::path& original) {
  if (original.empty()) return;
  platform::RemoveDeadTemporaries(original);
  const fs::path backup = CTesselDoc::BackupPathFor(original);
  if (!backup.empty()) platform::RemoveDeadTemporaries(backup);
}

bool RecoveryFolder::Prepare() const {
  if (folder_.empty()) return false;
  std::error_code error;
  fs::create_directories(folder_, error);
  struct stat info {};
  if (lstat(folder_.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return false;
  // Copies are the user's documents: nobody else may read them.
  if ((info.st_mode & 077) != 0) chmod(folder_.c_str(), 0700);
  return true;
}

bool RecoveryFolder::OwnerRuns(const std::string& id) const {
  const platform::FileDescriptor fd = platform::FileDescriptor::Open(folder_ / LockName(id), O_RDWR | O_NOFOLLOW);
  // Closing the file (when it goes) also lets go of the lock taken just now.
  return fd.IsOpen() && flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

std::vector<RecoveryEntry> RecoveryFolder::DeadCopies() const {
  std::map<std::string, std::vector<std::string>> byId;
  std::error_code error;
  for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
    if (!file.is_regular_file(error) || file.is_symlink(error)) continue;
    const std::string name = file.path().filename().string();
    const std::string id = IdOf(name);
    if (!id.empty()) byId[id].push_back(name);
  }
  std::vector<std::pair<std::int64_t, RecoveryEntry>> found;
  for (const auto& [id, names] : byId) {
    if (OwnerRuns(id)) continue;
    RecoveryEntry entry;
    entry.id = id;
    entry.recordPath = folder_ / RecordName(id);
    const bool hasRecord = std::find(names.begin(), names.end(), RecordName(id)) != names.end();
    if (hasRecord) {
      const std::optional<std::string> text = ReadSmallFile(entry.recordPath);
      entry.record = text ? ParseRecoveryRecord(*text) : std::nullopt;
      if (entry.record) entry.copyPath = folder_ / entry.record->copy;
    }
    const bool copyThere = entry.record && std::find(names.begin(), names.end(), entry.record->copy) != names.end();
    for (const std::string& name : names) {
      const bool keep = name == RecordName(id) || (entry.record && name == entry.record->copy) ||
                        // A record that cannot be read keeps every copy it may have named.
                        (hasRecord && !entry.record && name.ends_with(".pbd")) ||
                        (name == LockName(id) && hasRecord);
      if (!keep) RemoveQuietly(folder_ / name);
    }
    if (!hasRecord) continue;
    if (entry.record && !copyThere) {
      // A record whose copy is gone holds nothing to restore (a take-over
      // that was cut short leaves one).
      RemoveQuietly(entry.recordPath);
      RemoveQuietly(folder_ / LockName(id));
      continue;
    }
    found.emplace_back(entry.record ? entry.record->time : 0, std::move(entry));
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<RecoveryEntry> entries;
  for (auto& item : found) entries.push_back(std::move(item.second));
  return entries;
}

bool RecoveryFolder::Load(const RecoveryEntry& entry, const platform::Cabinet& cabinet,
                          const platform::PictureCodec& codec, ChartDocument& into, std::string& why) const {
  if (!entry.record) {
    why = "[Record]";
    return false;
  }
  // The messages a failed read would show become the reason; nothing is shown here.
  platform::ScriptedMessageSink quiet;
  platform::ScopedMessageSink scope(&quiet);
  const fs::path scratch = platform::GetScratchFolder("recovery");
  if (scratch.empty()) {
    why = "[Make Context]";
    return false;
  }
  platform::ExtractOptions options;
  options.maxTotalBytes = std::uint64_t{1} << 30;
  const platform::ExtractResult result = cabinet.ExtractAll(entry.copyPath, scratch, options);
  bool ok = false;
  if (!result) {
    why = result.tag.empty() ? std::string(platform::CabinetTag::kFileCopy) : result.tag;
  } else if (result.files.empty()) {
    why = "[File Copy]";
  } else {
    std::ifstream in(result.files.back().path, std::ios::binary);
    ok = in && ReadChart(into, in, codec);
    if (!ok) why = quiet.Messages().empty() ? std::string("[Open]") : quiet.Last().FullText();
  }
  for (const platform::ExtractedFile& file : result.files) RemoveQuietly(file.path);
  if (!ok) into.NewDocument();
  return ok;
}

fs::path RecoveryFolder::KeepAside(const RecoveryEntry& entry) const {
  const fs::path damaged = DamagedFolder();
  std::error_code error;
  fs::create_directories(damaged, error);
  if (error) return {};
  bool moved = true;
  auto move = [&](const fs::path& from) {
    if (from.empty() || !fs::exists(fs::symlink_status(from, error))) return;
    fs::rename(from, damaged / from.filename(), error);
    if (error) moved = false;
  };
  move(entry.copyPath);
  // A record that cannot be read takes every copy of its program along.
  if (!entry.record) {
    for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
      const std::string name = file.path().filename().string();
      if (IdOf(name) == entry.id && name.ends_with(".pbd")) move(file.path());
    }
  }
  move(entry.recordPath);
  RemoveQuietly(folder_ / LockName(entry.id));
  return moved ? damaged : fs::path();
}

void RecoveryFolder::Remove(const RecoveryEntry& entry) const {
  // The record goes first: without it a leftover copy is only an orphan to tidy away.
  RemoveQuietly(entry.recordPath);
  if (!entry.copyPath.empty()) RemoveQuietly(entry.copyPath);
  RemoveQuietly(folder_ / LockName(entry.id));
}

}  // namespace plume::document
