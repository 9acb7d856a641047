#include "document/WorkFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/Messages.h"

namespace plume::document {
namespace {

namespace fs = std::filesystem;

// Makes `folder` when missing; true when it is then a folder and not a link.
bool MakeLevel(const fs::path& folder, struct stat& info) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

fs::path Unavailable() {
  platform::ShowMessage(platform::StringId::WorkFolderUnavailable);
  return {};
}

}  // namespace

fs::path GetWorkFolder(std::string_view sub) {
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error || base.empty()) return Unavailable();
  fs::path folder = base / platform::kAppTitle;
  struct stat info {};
  // Another user could have made the folder in a shared /tmp to read or swap
  // our scratch files: only a folder of our own that others cannot write is used.
  if (!MakeLevel(folder, info) || info.st_uid != geteuid()) return Unavailable();
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && chmod(folder.c_str(), 0700) != 0) return Unavailable();
  if (sub.empty()) return folder;

  const fs::path relative(sub);
  if (relative.is_absolute() || relative.has_root_name()) return Unavailable();
  for (const fs::path& part : relative) {
    if (part.empty() || part == ".") continue;
    if (part == "..") return Unavailable();
    folder /= part;
    if (!MakeLevel(folder, info)) return Unavailable();
  }
  return folder;
}

}  // namespace plume::document
