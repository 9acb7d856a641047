#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

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

bool FileDescriptor::CopyTo(const std::function<bool(const char* bytes, std::size_t size)>& write) const {
  if (fd_ < 0) return false;
  std::vector<char> buffer(1 << 20);
  for (;;) {
    const ssize_t n = read(fd_, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    if (!write(buffer.data(), static_cast<std::size_t>(n))) return false;
  }
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
