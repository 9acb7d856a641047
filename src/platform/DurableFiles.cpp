#include "platform/DurableFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/WorkFolder.h"

namespace plume::platform {
namespace {

namespace fs = std::filesystem;

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::string_view IoStepName(IoStep step) {
  switch (step) {
    case IoStep::DataCreate: return "DataCreate";
    case IoStep::DataWrite: return "DataWrite";
    case IoStep::BackupCopy: return "BackupCopy";
    case IoStep::BackupSync: return "BackupSync";
    case IoStep::BackupRename: return "BackupRename";
    case IoStep::BackupFolderSync: return "BackupFolderSync";
    case IoStep::CabinetWrite: return "CabinetWrite";
    case IoStep::CabinetSync: return "CabinetSync";
    case IoStep::CabinetRename: return "CabinetRename";
    case IoStep::CabinetFolderSync: return "CabinetFolderSync";
  }
  return "?";
}

namespace {

// This host's name as it may stand in a file name: no "." or "/", at most 40 bytes.
std::string HostTag() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') return "host";
  std::string tag(host);
  tag.resize(std::min<std::size_t>(tag.size(), 40));
  for (char& c : tag)
    if (c == '.' || c == '/' || c == '@') c = '_';
  return tag;
}

// The stem of the temporary siblings of `target`, within the 255-byte name limit.
std::string SiblingStem(const fs::path& target) { return "." + target.filename().string().substr(0, 160) + "."; }

}  // namespace

fs::path TemporarySibling(const fs::path& target) {
  static std::mt19937_64 random{std::random_device{}()};
  const fs::path folder = target.parent_path();
  const std::string owner = std::to_string(getpid());
  const std::string host = HostTag();
  for (;;) {
    char suffix[20];
    std::snprintf(suffix, sizeof suffix, "%012llx", static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    fs::path candidate = folder / (SiblingStem(target) + owner + "-" + suffix + "@" + host + ".part");
    struct stat info {};
    if (lstat(candidate.c_str(), &info) != 0) return candidate;
  }
}

int RemoveDeadTemporaries(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const std::string stem = SiblingStem(target);
  const std::string tail = "@" + HostTag() + ".part";
  int removed = 0;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(stem) || !name.ends_with(tail)) continue;
    const std::string owner = name.substr(stem.size(), name.size() - stem.size() - tail.size());
    const std::size_t dash = owner.find('-');
    if (dash == std::string::npos || dash == 0 || owner.find('.') != std::string::npos) continue;
    long pid = 0;
    const auto [at, bad] = std::from_chars(owner.data(), owner.data() + dash, pid);
    if (bad != std::errc() || at != owner.data() + dash || pid == getpid() || ProcessRuns(pid)) continue;
    struct stat info {};
    if (IsRegularFile(it->path(), false, &info) && info.st_uid == geteuid() &&
        unlink(it->path().c_str()) == 0)
      ++removed;
  }
  return removed;
}

bool SyncToDisk(const fs::path& path) {
  FileDescriptor fd = FileDescriptor::OpenForReading(path);
  return fd.IsOpen() && fsync(fd.Get()) == 0 && fd.Close();
}

bool CopyPermissions(const fs::path& like, const fs::path& file) {
  struct stat info {};
  const mode_t mode = stat(like.c_str(), &info) == 0 ? (info.st_mode & 07777) : NewFileMode();
  return chmod(file.c_str(), mode) == 0;
}

bool CopyFileDurably(const fs::path& from, const fs::path& to, const IoStepFn& steps) {
  RemoveDeadTemporaries(to);
  const fs::path temp = TemporarySibling(to);
  bool ok = false;
  {
    // Only a regular file is copied: a FIFO would block the open or the read.
    const FileDescriptor in = FileDescriptor::OpenForReading(from, true);
    struct stat info {};
    if (Proceed(steps, IoStep::BackupCopy) && in.IsRegularFile(&info)) {
      FileDescriptor out = FileDescriptor::CreateExclusive(temp, info.st_mode & 0666);
      ok = out.IsOpen() &&
           in.CopyTo([&](const char* bytes, std::size_t size) { return WriteAll(out.Get(), bytes, size); });
      ok = ok && Proceed(steps, IoStep::BackupSync) && fsync(out.Get()) == 0;
      ok = out.Close() && ok;
    }
  }
  ok = ok && Proceed(steps, IoStep::BackupRename) && rename(temp.c_str(), to.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  return Proceed(steps, IoStep::BackupFolderSync) && SyncToDisk(to.parent_path().empty() ? "." : to.parent_path());
}

}  // namespace plume::platform
