#include "platform/Messages.h"
#include "platform/ThreadMessageSink.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <utility>

namespace plume::platform {
namespace {

struct StringEntry {
  int id;
  std::string_view text;
};

constexpr StringEntry kStrings[] = {
#define PLUME_STRING(id, name, text) {id, text},
#include "resources/strings/StringTable.inc"
#undef PLUME_STRING
};

constexpr bool SortedById() {
  for (std::size_t i = 1; i < std::size(kStrings); ++i)
    if (kStrings[i - 1].id >= kStrings[i].id) return false;
  return true;
}
static_assert(SortedById(), "the string table must be sorted by id without repeats");

MessageSink* gSink = nullptr;

MsgResult FirstButton(MsgButtons buttons) {
  return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
}

}  // namespace

std::string_view StringText(int id) {
  const auto* it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                    [](const StringEntry& e, int v) { return e.id < v; });
  if (it == std::end(kStrings) || it->id != id) return {};
  return it->text;
}

std::string_view StringText(StringId id) { return StringText(static_cast<int>(id)); }

namespace {
thread_local MessageSink* tThreadSink = nullptr;
}  // namespace

ScopedThreadMessageSink::ScopedThreadMessageSink(MessageSink* sink) : previous_(std::exchange(tThreadSink, sink)) {}

ScopedThreadMessageSink::~ScopedThreadMessageSink() { tThreadSink = previous_; }

MessageSink* SetMessageSink(MessageSink* sink) { return std::exchange(gSink, sink); }

MessageSink* CurrentMessageSink() { return gSink; }

MsgResult ShowMessage(StringId id, std::string_view prefix, MsgIcon icon, MsgButtons buttons,
                      WindowRef owner) {
  MessageRequest request;
  request.id = static_cast<int>(id);
  request.caption = kAppTitle;
  request.prefix = std::string(prefix);
  request.text = std::string(StringText(id));
  request.icon = icon;
  request.buttons = buttons;
  request.owner = owner;
  if (tThreadSink) return tThreadSink->Show(request);
  if (gSink) return gSink->Show(request);
  std::cerr << request.FullText() << '\n';
  return FirstButton(buttons);
}

std::string CountOverLimitLine(long long count, long long limit) {
  char line[64];
  std::snprintf(line, sizeof line, "%lld > %lld\n", count, limit);
  return line;
}

}  // namespace plume::platform
