#pragma once
// A new file created exclusively (O_CREAT | O_EXCL | O_NOFOLLOW): a file or a
// symlink already at the path makes the creation fail, so nothing planted
// there is ever written through. The file is written through a std::ostream;
// Finish reports any failed write, flush or close.

#include <filesystem>
#include <memory>
#include <ostream>
#include <streambuf>
#include <sys/types.h>

#include "platform/FileDescriptor.h"

namespace plume::platform {

class ExclusiveFile {
 public:
  /// Creates `path` with `mode` (less the umask); check IsOpen.
  explicit ExclusiveFile(std::filesystem::path path, mode_t mode = 0600);
  ExclusiveFile(const ExclusiveFile&) = delete;
  ExclusiveFile& operator=(const ExclusiveFile&) = delete;

  bool IsOpen() const { return fd_.IsOpen(); }
  std::ostream& Stream() { return stream_; }
  /// Flushes, optionally fsyncs, and closes; true when every byte reached the file.
  bool Finish(bool sync = false);
  /// Closes (when open) and removes the file, only when this object created it.
  void Discard();
  const std::filesystem::path& Path() const { return path_; }

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(ExclusiveFile& file) : file_(file) { setp(data_, data_ + sizeof data_); }
    bool failed = false;

   protected:
    int_type overflow(int_type c) override;
    int sync() override;

   private:
    bool Drain();
    ExclusiveFile& file_;
    char data_[1 << 16];
  };

  std::filesystem::path path_;
  FileDescriptor fd_;
  bool created_ = false;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_;
};

}  // namespace plume::platform
