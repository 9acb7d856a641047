#pragma once
// A POSIX file descriptor owned by one object and closed when it goes: the one
// way the program opens files below the standard streams. Opens always add
// O_CLOEXEC, so no child process inherits a descriptor.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>

namespace plume::platform {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  /// Takes `fd` over (-1: none).
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  /// `path` for reading; `nonBlocking` keeps a FIFO from blocking the open.
  static FileDescriptor OpenForReading(const std::filesystem::path& path, bool nonBlocking = false);
  /// `path` opened with `flags` (and `mode` when they create).
  static FileDescriptor Open(const std::filesystem::path& path, int flags, mode_t mode = 0);
  /// A new file at `path` (O_CREAT | O_EXCL | O_NOFOLLOW): a file or a symlink
  /// already there makes it fail, so nothing planted is written through.
  static FileDescriptor CreateExclusive(const std::filesystem::path& path, mode_t mode, bool readToo = false);

  bool IsOpen() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  /// True when the descriptor names a regular file (not a folder, FIFO or
  /// device); its status goes to `info` when given.
  bool IsRegularFile(struct stat* info = nullptr) const;
  /// Closes; true when it was closed cleanly or nothing was open.
  bool Close();
  /// Gives the descriptor up to the caller (-1 when none).
  int Release();
  /// Reads what is left of the file in large chunks and hands each to
  /// `write`; true when the end was reached and every write succeeded.
  bool CopyTo(const std::function<bool(const char* bytes, std::size_t size)>& write) const;

 private:
  int fd_ = -1;
};

/// True when `path` is a regular file (with `followLinks` false, a symlink is
/// not one); readers check this before they open a file, so a FIFO or a device
/// never blocks or floods them. Its status goes to `info` when given.
bool IsRegularFile(const std::filesystem::path& path, bool followLinks = true, struct stat* info = nullptr);

}  // namespace plume::platform
