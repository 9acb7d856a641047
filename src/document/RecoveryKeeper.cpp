#include "document/RecoveryKeeper.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <utility>

#include "document/ChartFile.h"
#include "platform/DurableFiles.h"
#include "platform/ExclusiveFile.h"
#include "platform/FileDescriptor.h"

namespace plume::document {
namespace {

namespace fs = std::filesystem;

// Passes writes on until `lost` says the copy lost to a removal; then fails
// them, so the worker stops early instead of writing a copy nobody wants.
class LosingBuffer : public std::streambuf {
 public:
  LosingBuffer(std::ostream& to, std::function<bool()> lost) : to_(to), lost_(std::move(lost)) {}

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    if (lost_()) return 0;
    to_.write(s, n);
    return to_ ? n : 0;
  }
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
  }

 private:
  std::ostream& to_;
  std::function<bool()> lost_;
};

// The chart's tables as they are now; pictures shared with the document.
void CopyState(const ChartDocument& from, ChartDocument& to) {
  to.header = from.header;
  std::copy_n(from.pages.begin(), from.header.pageCount, to.pages.begin());
  std::copy_n(from.arcs.begin(), from.arcCount, to.arcs.begin());
  std::copy_n(from.nodes.begin(), from.nodeCount, to.nodes.begin());
  std::copy_n(from.slips.begin(), from.slipCount, to.slips.begin());
  to.arcCount = from.arcCount;
  to.nodeCount = from.nodeCount;
  to.slipCount = from.slipCount;
  to.pictures = from.pictures.SharedCopy();
}

std::string NewId() {
  std::random_device random;
  char tail[9];
  std::snprintf(tail, sizeof tail, "%08x", static_cast<unsigned>(random()));
  return std::to_string(getpid()) + "-" + tail;
}

void Unlink(const fs::path& path) { unlink(path.c_str()); }

bool WriteRecord(const fs::path& path, const RecoveryRecord& record) {
  Unlink(path);  // a leftover of this program's own earlier attempt
  platform::ExclusiveFile out(path);
  if (!out.IsOpen()) return false;
  out.Stream() << FormatRecoveryRecord(record);
  if (!out.Finish(true)) {
    Unlink(path);
    return false;
  }
  return true;
}

}  // namespace

struct RecoveryKeeper::Job {
  unsigned long sequence = 0;
  unsigned long generation = 0;
  RecoveryRecord record;
};

std::unique_ptr<RecoveryKeeper> RecoveryKeeper::Start(const fs::path& folder, const ChartDocument& doc,
                                                      const platform::Cabinet& cabinet, Source source) {
  RecoveryFolder recovery(folder);
  if (!recovery.Prepare()) return nullptr;
  const std::string id = NewId();
  const fs::path lock = folder / RecoveryFolder::LockName(id);
  platform::FileDescriptor fd = platform::FileDescriptor::CreateExclusive(lock, 0600, true);
  if (!fd.IsOpen()) return nullptr;
  if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    fd.Close();
    Unlink(lock);
    return nullptr;
  }
  std::unique_ptr<RecoveryKeeper> keeper(
      new RecoveryKeeper(std::move(recovery), id, std::move(fd), doc, cabinet, std::move(source)));
  keeper->snapshot_ = ChartDocument::Create();
  if (!keeper->snapshot_) return nullptr;
  return keeper;
}

RecoveryKeeper::RecoveryKeeper(RecoveryFolder folder, std::string id, platform::FileDescriptor lockFd,
                               const ChartDocument& doc, const platform::Cabinet& cabinet, Source source)
    : folder_(std::move(folder)), id_(std::move(id)), lockFd_(std::move(lockFd)), doc_(doc), cabinet_(cabinet),
      source_(std::move(source)) {}

RecoveryKeeper::~RecoveryKeeper() {
  Remove();
  JoinFinished(true);
  const fs::path lock = folder_.Path() / RecoveryFolder::LockName(id_);
  Unlink(lock);
  lockFd_.Close();
}

void RecoveryKeeper::OnChange(Change change, Clock::time_point now) {
  if (change == Change::Unmodified) {
    Remove();
    due_.reset();
    lastStart_.reset();
    return;
  }
  if (change != Change::Modified || due_) return;
  Clock::time_point due = now + firstDelay_;
  if (lastStart_) due = std::max(due, *lastStart_ + interval_);
  due_ = due;
}

bool RecoveryKeeper::Tick(Clock::time_point now) {
  if (!due_ || now < *due_) return false;
  JoinFinished(false);
  if (working_ || (source_.busy && source_.busy())) {
    due_ = now + std::chrono::seconds(1);  // try again once the worker or the job is done
    return false;
  }
  return CopyNow(now);
}

bool RecoveryKeeper::CopyNow(Clock::time_point now) {
  due_.reset();
  if (!doc_.Changes().IsModified()) return false;
  JoinFinished(true);
  const auto started = Clock::now();
  CopyState(doc_, *snapshot_);
  Job job;
  job.sequence = ++sequence_;
  job.generation = generation_;
  job.record.original = source_.original ? source_.original() : fs::path();
  job.record.base = source_.base ? source_.base() : std::nullopt;
  job.record.time = static_cast<std::int64_t>(std::time(nullptr));
  job.record.page = snapshot_->header.currentPage;
  job.record.pid = static_cast<long>(getpid());
  job.record.copy = RecoveryFolder::CopyName(id_, job.sequence);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stats_.snapshot = Clock::now() - started;
  }
  lastStart_ = now;
  working_ = true;
  worker_ = std::thread([this, job] {
    Write(job);
    working_ = false;
  });
  return true;
}

void RecoveryKeeper::Write(const Job& job) {
  const auto started = Clock::now();
  const fs::path& folder = folder_.Path();
  const std::string copyName = job.record.copy;
  const std::string stem = copyName.substr(0, copyName.size() - 4);
  const fs::path data = folder / (stem + ".chart");
  const fs::path part = folder / (stem + ".part");
  const fs::path copy = folder / copyName;
  const fs::path recordTemp = folder / (RecoveryFolder::RecordName(id_) + ".part");
  auto lost = [this, &job] { return generation_ != job.generation; };

  bool ok = false;
  {
    platform::ExclusiveFile out(data);
    if (out.IsOpen()) {
      LosingBuffer buffer(out.Stream(), lost);
      std::ostream stream(&buffer);
      ok = WriteChart(*snapshot_, stream) && out.Finish();
    }
  }
  snapshot_->pictures.ReleaseAll();  // the document's pictures are not held past the copy
  ok = ok && !lost() && cabinet_.WriteSingleFile(data, copyName, part).ok;
  Unlink(data);
  ok = ok && !lost() && platform::SyncToDisk(part) && rename(part.c_str(), copy.c_str()) == 0;
  Unlink(part);
  ok = ok && WriteRecord(recordTemp, job.record) && Commit(job, copyName, recordTemp);
  if (!ok) {
    Unlink(copy);
    Unlink(recordTemp);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  stats_.write = Clock::now() - started;
  stats_.written = ok;
  if (ok) ++stats_.copies;
}

bool RecoveryKeeper::Commit(const Job& job, const std::string& copyName, const fs::path& recordTemp) {
  std::string previous;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (generation_ != job.generation) return false;  // a save or a close came first
    const fs::path record = folder_.Path() / RecoveryFolder::RecordName(id_);
    if (rename(recordTemp.c_str(), record.c_str()) != 0) return false;
    previous = std::exchange(committed_, copyName);
  }
  if (!previous.empty() && previous != copyName) Unlink(folder_.Path() / previous);
  platform::SyncToDisk(folder_.Path());
  return true;
}

void RecoveryKeeper::Remove() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++generation_;
  // The record goes first: a copy without its record is only an orphan.
  Unlink(folder_.Path() / RecoveryFolder::RecordName(id_));
  if (!committed_.empty()) Unlink(folder_.Path() / committed_);
  committed_.clear();
}

bool RecoveryKeeper::Adopt(const RecoveryEntry& entry) {
  if (!entry.record) return false;
  Remove();
  JoinFinished(true);
  RecoveryRecord record = *entry.record;
  record.pid = static_cast<long>(getpid());
  record.copy = RecoveryFolder::CopyName(id_, ++sequence_);
  const fs::path copy = folder_.Path() / record.copy;
  if (rename(entry.copyPath.c_str(), copy.c_str()) != 0) return false;
  Job job;
  job.generation = generation_;
  const fs::path recordTemp = folder_.Path() / (RecoveryFolder::RecordName(id_) + ".part");
  if (!WriteRecord(recordTemp, record) || !Commit(job, record.copy, recordTemp)) {
    rename(copy.c_str(), entry.copyPath.c_str());  // the dead program's copy stays where it was
    return false;
  }
  Unlink(entry.recordPath);
  Unlink(folder_.Path() / RecoveryFolder::LockName(entry.id));
  return true;
}

void RecoveryKeeper::WaitIdle() { JoinFinished(true); }

void RecoveryKeeper::JoinFinished(bool wait) {
  if (worker_.joinable() && (wait || !working_)) worker_.join();
}

RecoveryKeeper::Stats RecoveryKeeper::LastStats() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return stats_;
}

fs::path RecoveryKeeper::CopyPath() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return committed_.empty() ? fs::path() : folder_.Path() / committed_;
}

}  // namespace plume::document
