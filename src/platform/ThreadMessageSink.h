#pragma once
// Messages of a worker thread: while a ScopedThreadMessageSink lives, what the
// code on its thread would show goes to its sink instead of the program's
// message boxes, so the thread that waits for the work can show it itself.

#include "platform/MessageSink.h"

namespace plume::platform {

class ScopedThreadMessageSink {
 public:
  explicit ScopedThreadMessageSink(MessageSink* sink);
  ~ScopedThreadMessageSink();
  ScopedThreadMessageSink(const ScopedThreadMessageSink&) = delete;
  ScopedThreadMessageSink& operator=(const ScopedThreadMessageSink&) = delete;

 private:
  MessageSink* previous_;
};

}  // namespace plume::platform
