#pragma once
// Threads that paint and write pages: each job paints one page into a bitmap
// of its own, encodes it and makes it a one-page PDF, so every core works on a
// page of its own. Jobs run in any order and are told which thread runs them
// (each thread has its own scratch surface); what a failed job would have
// said is shown by the thread that waits.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/MessageSink.h"

namespace plume::output {

class PageWriters {
 public:
  /// Runs on thread number `thread` (0 to threads - 1).
  using Job = std::function<bool(int thread)>;

  /// `threads` writers (at least one); at most that many jobs wait or run at
  /// once, so Add() blocks while they are busy and memory stays bounded.
  explicit PageWriters(int threads);
  /// Waits for the jobs still running, skips those not started.
  ~PageWriters();
  PageWriters(const PageWriters&) = delete;
  PageWriters& operator=(const PageWriters&) = delete;

  /// One per core.
  static int DefaultThreads();

  /// Queues job number `index`; false once a job has failed (nothing queued).
  bool Add(int index, Job job);
  /// Waits for every job queued so far. True when all succeeded (more may be
  /// queued then); otherwise shows the messages of the failed job with the
  /// lowest number and gives false.
  bool Finish();

 private:
  struct Queued {
    int index;
    Job job;
  };
  struct Recorded : platform::MessageSink {
    std::vector<platform::MessageRequest> requests;
    platform::MsgResult Show(const platform::MessageRequest& request) override;
  };
  void Work(int thread);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Queued> queue_;
  int busy_ = 0;
  int limit_;
  bool stopping_ = false;
  bool failed_ = false;
  int failedIndex_ = 0;
  std::vector<platform::MessageRequest> failedMessages_;
  std::vector<std::thread> threads_;
};

}  // namespace plume::output
