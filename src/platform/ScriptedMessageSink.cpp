#include "platform/ScriptedMessageSink.h"

namespace plume::platform {

MsgResult ScriptedMessageSink::Show(const MessageRequest& request) {
  messages_.push_back(request);
  if (!answers_.empty()) {
    MsgResult answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return request.buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
}

std::vector<int> ScriptedMessageSink::Ids() const {
  std::vector<int> ids;
  ids.reserve(messages_.size());
  for (const auto& m : messages_) ids.push_back(m.id);
  return ids;
}

}  // namespace plume::platform
