#include "shell/CommandTable.h"

#include <algorithm>
#include <array>

namespace plume::shell {
namespace {

constexpr CommandInfo kCommands[] = {
#define PLUME_COMMAND(id, name, caption, shortcut, owner) {id, #name, caption, shortcut, CommandOwner::owner},
#include "resources/commands/Commands.inc"
#undef PLUME_COMMAND
};

}  // namespace

std::span<const CommandInfo> AllCommands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  const auto* it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                [id](const CommandInfo& c) { return c.id == id; });
  return it == std::end(kCommands) ? nullptr : it;
}

std::vector<std::string_view> SplitShortcuts(std::string_view shortcuts) {
  std::vector<std::string_view> keys;
  while (!shortcuts.empty()) {
    const auto cut = shortcuts.find(';');
    const auto key = shortcuts.substr(0, cut);
    if (!key.empty()) keys.push_back(key);
    if (cut == std::string_view::npos) break;
    shortcuts.remove_prefix(cut + 1);
  }
  return keys;
}

}  // namespace plume::shell
