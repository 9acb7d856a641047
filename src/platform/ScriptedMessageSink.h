#pragma once
// A message sink for tests and scripted runs: records every message and
// answers questions from a queue of prepared answers.

#include <deque>
#include <vector>

#include "platform/Messages.h"

namespace plume::platform {

class ScriptedMessageSink : public MessageSink {
 public:
  MsgResult Show(const MessageRequest& request) override;

  /// Queues the answer to the next question; without one, the first button wins.
  void Answer(MsgResult result) { answers_.push_back(result); }

  const std::vector<MessageRequest>& Messages() const { return messages_; }
  /// Ids of every message shown so far, in order.
  std::vector<int> Ids() const;
  /// The last message; an empty request when none was shown.
  MessageRequest Last() const { return messages_.empty() ? MessageRequest{} : messages_.back(); }
  void Reset() { messages_.clear(); answers_.clear(); }

 private:
  std::vector<MessageRequest> messages_;
  std::deque<MsgResult> answers_;
};

}  // namespace plume::platform
