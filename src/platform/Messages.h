#pragma once
// ShowMessage and the string table ids. The texts live in
// resources/strings/StringTable.inc, the single source of every user-visible
// message; ids are generated from it so a wrong id cannot compile.

#include <string>
#include <string_view>

#include "platform/MessageSink.h"

namespace plume::platform {

enum class StringId : int {
#define PLUME_STRING(id, name, text) name = id,
#include "resources/strings/StringTable.inc"
#undef PLUME_STRING
};

inline constexpr const char* kAppTitle = "Plumeboard";

/// UTF-8 text of a string table entry; empty for an unknown id.
std::string_view StringText(StringId id);
std::string_view StringText(int id);

/// Routes messages to `sink` (nullptr: messages go to standard error and
/// questions are answered with their first button). Returns the previous sink.
MessageSink* SetMessageSink(MessageSink* sink);
MessageSink* CurrentMessageSink();

/// Shows string `id` with an optional prefix above it; returns the button pressed.
MsgResult ShowMessage(StringId id, std::string_view prefix = {}, MsgIcon icon = MsgIcon::Error,
                      MsgButtons buttons = MsgButtons::Ok, WindowRef owner = nullptr);

/// "%d > %d\n": the count line shown above the over-capacity messages.
std::string CountOverLimitLine(long long count, long long limit);

/// Installs a sink for the lifetime of the guard (tests, dialogs, the tool).
class ScopedMessageSink {
 public:
  explicit ScopedMessageSink(MessageSink* sink) : previous_(SetMessageSink(sink)) {}
  ~ScopedMessageSink() { SetMessageSink(previous_); }
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  MessageSink* previous_;
};

}  // namespace plume::platform
