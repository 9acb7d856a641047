#include "output/PageWriters.h"

#include <algorithm>

#include "platform/Messages.h"
#include "platform/ThreadMessageSink.h"

namespace plume::output {

platform::MsgResult PageWriters::Recorded::Show(const platform::MessageRequest& request) {
  requests.push_back(request);
  switch (request.buttons) {
    case platform::MsgButtons::Ok: return platform::MsgResult::Ok;
    case platform::MsgButtons::YesNo: return platform::MsgResult::No;
    case platform::MsgButtons::YesNoCancel: return platform::MsgResult::Cancel;
  }
  return platform::MsgResult::Cancel;
}

PageWriters::PageWriters(int threads) : limit_(std::max(1, threads)) {
  for (int i = 0; i < limit_; ++i) threads_.emplace_back([this, i] { Work(i); });
}

PageWriters::~PageWriters() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  changed_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

int PageWriters::DefaultThreads() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool PageWriters::Add(int index, Job job) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return failed_ || static_cast<int>(queue_.size()) + busy_ < limit_; });
  if (failed_) return false;
  queue_.push_back({index, std::move(job)});
  lock.unlock();
  changed_.notify_all();
  return true;
}

bool PageWriters::Finish() {
  std::vector<platform::MessageRequest> messages;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return busy_ == 0 && (queue_.empty() || failed_); });
    queue_.clear();
    if (!failed_) return true;
    messages = std::move(failedMessages_);
  }
  for (const platform::MessageRequest& m : messages)
    platform::ShowMessage(static_cast<platform::StringId>(m.id), m.prefix, m.icon, m.buttons, m.owner);
  return false;
}

void PageWriters::Work(int thread) {
  for (;;) {
    Queued next;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || (!failed_ && !queue_.empty()); });
      if (stopping_) return;
      next = std::move(queue_.front());
      queue_.pop_front();
      ++busy_;
    }
    Recorded said;
    bool ok = false;
    {
      platform::ScopedThreadMessageSink capture(&said);
      ok = next.job(thread);
    }
    {
      std::lock_guard lock(mutex_);
      --busy_;
      if (!ok && (!failed_ || next.index < failedIndex_)) {
        failed_ = true;
        failedIndex_ = next.index;
        failedMessages_ = std::move(said.requests);
      }
    }
    changed_.notify_all();
  }
}

}  // namespace plume::output
