#include "platform/UserOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/DurableFiles.h"
#include "platform/ExclusiveFile.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"

namespace plume::platform {
namespace {

namespace fs = std::filesystem;
using platform::StringId;

bool Refuse(StringId id, const fs::path& path) {
  platform::ShowMessage(id, path.string() + "\n");
  return false;
}

// Writes through an exclusive temporary sibling of the resolved target.
bool Replace(const fs::path& chosen, const std::function<bool(ExclusiveFile&)>& fill) {
  const std::optional<fs::path> target = ResolveOutputTarget(chosen);
  if (!target) return false;
  RemoveDeadTemporaries(*target);
  ExclusiveFile temp(TemporarySibling(*target), 0600);
  if (!temp.IsOpen()) return Refuse(StringId::OutputWriteFailed, chosen);
  if (!fill(temp)) {
    temp.Discard();
    return false;
  }
  const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
  if (!temp.Finish(true) || !CopyPermissions(*target, temp.Path()) ||
      rename(temp.Path().c_str(), target->c_str()) != 0) {
    temp.Discard();
    return Refuse(StringId::OutputWriteFailed, chosen);
  }
  SyncToDisk(folder);
  return true;
}

}  // namespace

std::optional<fs::path> ResolveOutputTarget(const fs::path& chosen, bool quiet) {
  const auto Refuse = [quiet](StringId id, const fs::path& path) {
    if (!quiet) platform::ShowMessage(id, path.string() + "\n");
    return false;
  };
  fs::path path = chosen;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
      // A new file (also a dangling link's target); a missing folder fails at the write.
      if (errno == ENOENT || errno == ENOTDIR) return path;
      Refuse(StringId::OutputWriteFailed, chosen);
      return std::nullopt;
    }
    if (S_ISLNK(info.st_mode)) {
      std::error_code error;
      const fs::path link = fs::read_symlink(path, error);
      if (error) break;
      path = link.is_absolute() ? link : path.parent_path() / link;
      continue;
    }
    if (!S_ISREG(info.st_mode)) {
      Refuse(StringId::OutputNotAFile, chosen);
      return std::nullopt;
    }
    if ((info.st_mode & 0222) == 0) {
      Refuse(StringId::OutputReadOnly, chosen);
      return std::nullopt;
    }
    return path;
  }
  Refuse(StringId::OutputWriteFailed, chosen);
  return std::nullopt;
}

bool WriteUserFile(const fs::path& chosen, const std::function<bool(std::ostream&)>& write) {
  return Replace(chosen, [&](ExclusiveFile& temp) {
    const bool wrote = write(temp.Stream());
    // A stream that failed is a write error, whatever the writer says.
    if (!temp.Stream().flush()) return Refuse(StringId::OutputWriteFailed, chosen);
    return wrote;
  });
}

bool PlaceUserFile(const fs::path& chosen, const fs::path& finished) {
  return Replace(chosen, [&](ExclusiveFile& temp) {
    const FileDescriptor in = FileDescriptor::OpenForReading(finished, true);
    const bool ok = in.IsRegularFile() && in.CopyTo([&](const char* bytes, std::size_t size) {
      return static_cast<bool>(temp.Stream().write(bytes, static_cast<std::streamsize>(size)));
    });
    return ok && temp.Stream().flush() ? true : Refuse(StringId::OutputWriteFailed, chosen);
  });
}

}  // namespace plume::platform
