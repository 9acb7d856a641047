#include "store/StoreSerials.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <thread>

#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "store/MaterialStore.h"
#include "store/SerialCheck.h"

namespace plume::store {

namespace fs = std::filesystem;

namespace {

/// An open lock file holding an fcntl write lock on its first byte; released
/// (and closed) when destroyed. fcntl record locks are carried by NFS.
class LockedFile {
 public:
  explicit LockedFile(const fs::path& file, std::chrono::milliseconds wait) {
    fd_ = platform::FileDescriptor::Open(file, O_RDWR | O_CREAT, 0666);
    if (!fd_.IsOpen()) return;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    // Non-blocking attempts, so a stale server costs at most `wait`, never a hang.
    while (::fcntl(fd_.Get(), F_SETLK, &lock) != 0) {
      if ((errno != EACCES && errno != EAGAIN && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
        fd_.Close();
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    locked_ = true;
  }
  // Closing the file (when it goes) drops the lock.
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  bool Locked() const { return locked_; }

 private:
  platform::FileDescriptor fd_;
  bool locked_ = false;
};

/// Replaces the next-number file through a uniquely named temporary file and
/// a rename, so readers without the lock see the old or the new number whole.
bool WriteNextNumber(const fs::path& root, Serial next) {
  const fs::path file = root / kNextNumberFile;
  std::random_device rd;
  fs::path temp = root / ("." + std::string(kNextNumberFile) + "." + std::to_string(::getpid()) + "." +
                          std::to_string(rd()) + ".part");
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << FormatSerial(next) << "\n";
    out.close();
    if (!out) {
      std::error_code ec;
      fs::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, file, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

std::optional<Serial> Unavailable(const fs::path& lockFile) {
  platform::ShowMessage(platform::StringId::SerialReservationFailed, lockFile.string() + "\n");
  return std::nullopt;
}

}  // namespace

std::optional<Serial> ReadStoreNextNumber(const fs::path& root) {
  std::ifstream in(root / kNextNumberFile, std::ios::binary);
  std::string text;
  if (!in || !std::getline(in, text) || text.empty() || text[0] < '0' || text[0] > '9') return std::nullopt;
  return ParseSerial(text);
}

Serial StoreNextNumber(const fs::path& root) {
  if (auto recorded = ReadStoreNextNumber(root)) return *recorded;
  return CheckSerials(root).ExpectedNext();
}

Serial SerialWalkEnd(const fs::path& root, Serial userCounter) {
  return std::max(userCounter, StoreNextNumber(root));
}

std::optional<Serial> ReserveSerial(const fs::path& root, Serial userCounter, std::chrono::milliseconds wait) {
  const fs::path lockFile = root / kNextNumberLock;
  if (!EnsureFolder(root)) return Unavailable(lockFile);
  LockedFile lock(lockFile, wait);
  if (!lock.Locked()) return Unavailable(lockFile);
  Serial n = std::max(userCounter, StoreNextNumber(root));
  std::error_code ec;
  while (fs::exists(MaterialStore::InfoFileIn(root, FormatSerial(n)), ec)) ++n;
  if (!WriteNextNumber(root, n + 1)) return Unavailable(lockFile);
  return n;
}

}  // namespace plume::store
