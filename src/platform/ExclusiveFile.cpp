#include "platform/ExclusiveFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace plume::platform {

ExclusiveFile::ExclusiveFile(std::filesystem::path path, mode_t mode)
    : path_(std::move(path)), buffer_(std::make_unique<Buffer>(*this)), stream_(buffer_.get()) {
  fd_ = FileDescriptor::CreateExclusive(path_, mode);
  created_ = fd_.IsOpen();
  if (!created_) stream_.setstate(std::ios::badbit);
}

bool ExclusiveFile::Buffer::Drain() {
  const char* at = pbase();
  while (at < pptr()) {
    const ssize_t n = write(file_.fd_.Get(), at, static_cast<std::size_t>(pptr() - at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed = true;
      break;
    }
    at += n;
  }
  setp(data_, data_ + sizeof data_);
  return !failed;
}

ExclusiveFile::Buffer::int_type ExclusiveFile::Buffer::overflow(int_type c) {
  if (!file_.fd_.IsOpen() || !Drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int ExclusiveFile::Buffer::sync() { return file_.fd_.IsOpen() && Drain() ? 0 : -1; }

bool ExclusiveFile::Finish(bool sync) {
  if (!fd_.IsOpen()) return false;
  stream_.flush();
  bool ok = stream_.good() && !buffer_->failed;
  if (sync && ok) ok = fsync(fd_.Get()) == 0;
  return fd_.Close() && ok;
}

void ExclusiveFile::Discard() {
  fd_.Close();
  if (created_) unlink(path_.c_str());
  created_ = false;
}

}  // namespace plume::platform
