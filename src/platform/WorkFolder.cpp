#include "platform/WorkFolder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <mutex>
#include <string>
#include <system_error>

#include "platform/Messages.h"

namespace plume::platform {
namespace {

namespace fs = std::filesystem;

// Makes `folder` when missing; true when it is then a folder and not a link.
bool MakeLevel(const fs::path& folder, struct stat& info) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

fs::path Unavailable(bool quiet = false) {
  if (!quiet) platform::ShowMessage(platform::StringId::WorkFolderUnavailable);
  return {};
}

// The user's work folder, created and checked; empty when it cannot be had.
fs::path UserFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  fs::path folder;
  if (runtime && *runtime == '/') {
    folder = fs::path(runtime) / platform::kAppTitle;
  } else {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error || base.empty()) return {};
    folder = base / (std::string(platform::kAppTitle) + "-" + std::to_string(geteuid()));
  }
  struct stat info {};
  // Another user could have made the folder in a shared /tmp to read or swap
  // our scratch files: only a folder of our own that others cannot write is used.
  if (!MakeLevel(folder, info) || info.st_uid != geteuid()) return {};
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && chmod(folder.c_str(), 0700) != 0) return {};
  return folder;
}

fs::path Below(fs::path folder, std::string_view sub) {
  if (folder.empty() || sub.empty()) return folder;
  const fs::path relative(sub);
  if (relative.is_absolute() || relative.has_root_name()) return {};
  struct stat info {};
  for (const fs::path& part : relative) {
    if (part.empty() || part == ".") continue;
    if (part == "..") return {};
    folder /= part;
    if (!MakeLevel(folder, info)) return {};
  }
  return folder;
}

// The process id a scratch folder name stands for; 0 for any other name.
long PidOfName(const std::string& name) {
  long pid = 0;
  const char* end = name.data() + name.size();
  const auto [at, error] = std::from_chars(name.data(), end, pid);
  return error == std::errc() && at == end && pid > 0 && name[0] != '0' ? pid : 0;
}

std::mutex gScratchMutex;
fs::path gScratch;      // guarded by gScratchMutex
pid_t gScratchOwner = 0;

void RemoveOwnScratch() {
  std::lock_guard lock(gScratchMutex);
  // A forked child that exits normally must not take its parent's folder.
  if (gScratchOwner != getpid() || gScratch.empty()) return;
  std::error_code ignored;
  fs::remove_all(gScratch, ignored);
}

}  // namespace

bool ProcessRuns(long pid) { return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

fs::path GetWorkFolder(std::string_view sub) {
  const fs::path folder = Below(UserFolder(), sub);
  return folder.empty() ? Unavailable() : folder;
}

int RemoveDeadScratchFolders() {
  const fs::path work = UserFolder();
  if (work.empty()) return 0;
  int removed = 0;
  std::error_code error;
  for (fs::directory_iterator it(work, error), end; !error && it != end; it.increment(error)) {
    const long pid = PidOfName(it->path().filename().string());
    if (pid == 0 || pid == getpid() || ProcessRuns(pid)) continue;
    std::error_code ignored;
    if (it->symlink_status(ignored).type() == fs::file_type::directory && fs::remove_all(it->path(), ignored) > 0)
      ++removed;
  }
  return removed;
}

fs::path GetScratchFolder(std::string_view sub) {
  fs::path own;
  {
    std::lock_guard lock(gScratchMutex);
    const fs::path work = UserFolder();
    if (work.empty()) return Unavailable();
    const fs::path wanted = work / std::to_string(getpid());
    if (gScratchOwner != getpid() || gScratch != wanted) {
      static const bool registered = std::atexit(RemoveOwnScratch) == 0;
      (void)registered;
      gScratchOwner = getpid();
      gScratch = wanted;
      own = wanted;
    }
  }
  if (!own.empty()) RemoveDeadScratchFolders();
  std::lock_guard lock(gScratchMutex);
  struct stat info {};
  if (!MakeLevel(gScratch, info) || info.st_uid != geteuid()) return Unavailable();
  const fs::path folder = Below(gScratch, sub);
  return folder.empty() ? Unavailable() : folder;
}

}  // namespace plume::platform
