#pragma once
// A disk that fills up, for tests: while the object lives, no file of this
// process may grow past `bytes` (writes beyond fail with EFBIG, SIGXFSZ ignored).

#include <signal.h>
#include <sys/resource.h>

#include <cstdint>

namespace plume::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previous_ = SIG_DFL;
};

}  // namespace plume::testing
