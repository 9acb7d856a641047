#pragma once
// The command ids of the program, generated from resources/commands/Commands.inc
// together with their captions, shortcuts and owners. Header only: every
// layer may include it, from the chart view up to the main frame.

#include <span>
#include <string_view>
#include <vector>

namespace plume::commands {

/// Every command id; the enumerator is the ID_ name.
enum class CommandId : int {
#define PLUME_COMMAND(id, name, caption, shortcut, owner) name = id,
#define PLUME_CAPTION(id, place, caption)
#include "resources/commands/Commands.inc"
#undef PLUME_CAPTION
#undef PLUME_COMMAND
};

/// The number of `id`, for code that carries command ids as int.
constexpr int Id(CommandId id) { return static_cast<int>(id); }

/// Who handles a command (see Commands.inc).
enum class CommandOwner { Frame, Document, Group, TabBar, View, ViewKeys, ViewMenu, Style, Align, Export, Print, Settings, Store, TopBar, Focus };

/// True for commands whose keys are in the frame's table, translated before the focused window.
constexpr bool InFrameKeyTable(CommandOwner owner) {
  return owner != CommandOwner::Focus && owner != CommandOwner::ViewKeys && owner != CommandOwner::ViewMenu;
}

/// One row of the command table. Texts are UTF-8.
struct CommandInfo {
  int id;
  std::string_view name;      ///< "ID_FILE_NEW"
  std::string_view caption;   ///< menu caption with its "&" mnemonic; empty for entries filled at run time
  std::string_view shortcuts; ///< Qt key names separated by ";"
  CommandOwner owner;
};

/// The places that may show a command under a caption of their own.
enum class CaptionPlace { ViewMenu, NodeMenu, SlipMenu, SelMenu, ZoomMenu, TextMenu };

/// A caption of a command in one place, where it differs from the row's.
struct PlaceCaption {
  int id;
  CaptionPlace place;
  std::string_view caption;
};

namespace detail {
inline constexpr CommandInfo kCommands[] = {
#define PLUME_COMMAND(id, name, caption, shortcut, owner) {id, #name, caption, shortcut, CommandOwner::owner},
#define PLUME_CAPTION(id, place, caption)
#include "resources/commands/Commands.inc"
#undef PLUME_CAPTION
#undef PLUME_COMMAND
};
inline constexpr PlaceCaption kPlaceCaptions[] = {
#define PLUME_COMMAND(id, name, caption, shortcut, owner)
#define PLUME_CAPTION(id, place, caption) {id, CaptionPlace::place, caption},
#include "resources/commands/Commands.inc"
#undef PLUME_CAPTION
#undef PLUME_COMMAND
};
}  // namespace detail

/// The whole table in the order of Commands.inc.
constexpr std::span<const CommandInfo> AllCommands() { return detail::kCommands; }

/// The row of `id`; nullptr for an id the table does not hold.
constexpr const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& c : detail::kCommands)
    if (c.id == id) return &c;
  return nullptr;
}
constexpr const CommandInfo* FindCommand(CommandId id) { return FindCommand(Id(id)); }

/// The caption of `id` in `place`: the place's own caption, else the row's; empty for an unknown id.
constexpr std::string_view Caption(int id, CaptionPlace place) {
  for (const PlaceCaption& c : detail::kPlaceCaptions)
    if (c.id == id && c.place == place) return c.caption;
  const CommandInfo* info = FindCommand(id);
  return info ? info->caption : std::string_view{};
}

/// The shortcuts of a row split at ";".
inline std::vector<std::string_view> SplitShortcuts(std::string_view shortcuts) {
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

/// The first recent-file entry command (57616); entries are consecutive.
inline constexpr int kFirstRecentFileCommand = Id(CommandId::ID_FILE_MRU_FILE1);

}  // namespace plume::commands
