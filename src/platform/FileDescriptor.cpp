#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

namespace plume::platform {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.Release();
  }
  return *this;
}

FileDescriptor FileDescriptor::Open(const std::filesystem::path& path, int flags, mode_t mode) {
  return FileDescriptor(::open(path.c_str(), flags | O_CLOEXEC, mode));
}

FileDescriptor FileDescriptor::OpenForReading(const std::filesystem::path& path, bool nonBlocking) {
  return Open(path, O_RDONLY | (nonBlocking ? O_NONBLOCK : 0));
}

FileDescriptor FileDescriptor::CreateExclusive(const std::filesystem::path& path, mode_t mode, bool readToo) {
  return Open(path, (readToo ? O_RDWR : O_WRONLY) | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
}

bool FileDescriptor::IsRegularFile(struct stat* info) const {
  struct stat own {};
  if (info == nullptr) info = &own;
  return fd_ >= 0 && ::fstat(fd_, info) == 0 && S_ISREG(info->st_mode);
}

bool FileDescriptor::Close() {
  const bool closed = fd_ < 0 || ::close(fd_) == 0;
  fd_ = -1;
  return closed;
}

int FileDescriptor::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool IsRegularFile(const std::filesystem::path& path, bool followLinks, struct stat* info) {
  struct stat own {};
  if (info == nullptr) info = &own;
  const int got = followLinks ? ::stat(path.c_str(), info) : ::lstat(path.c_str(), info);
  return got == 0 && S_ISREG(info->st_mode);
}

}  // namespace plume::platform
