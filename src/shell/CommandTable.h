#pragma once
// The command ids of the program, generated from resources/commands/Commands.inc
// together with their captions, shortcuts and owners.

#include <span>
#include <string_view>
#include <vector>

namespace plume::shell {

/// Every command id; the enumerator is the ID_ name.
enum class CommandId : int {
#define PLUME_COMMAND(id, name, caption, shortcut, owner) name = id,
#include "resources/commands/Commands.inc"
#undef PLUME_COMMAND
};

/// Who handles a command (see Commands.inc).
enum class CommandOwner { Frame, Document, Group, TabBar, View, ViewKeys, Style, Align, Export, Print, Settings, Store, TopBar, Focus };

/// True for commands whose keys are in the frame's table, translated before the focused window.
constexpr bool InFrameKeyTable(CommandOwner owner) {
  return owner != CommandOwner::Focus && owner != CommandOwner::ViewKeys;
}

/// One row of the command table. Texts are UTF-8.
struct CommandInfo {
  int id;
  std::string_view name;      ///< "ID_FILE_NEW"
  std::string_view caption;   ///< menu caption with its "&" mnemonic; empty for entries filled at run time
  std::string_view shortcuts; ///< Qt key names separated by ";"
  CommandOwner owner;
};

/// The whole table in the order of Commands.inc.
std::span<const CommandInfo> AllCommands();
/// The row of `id`; nullptr for an id the table does not hold.
const CommandInfo* FindCommand(int id);
inline const CommandInfo* FindCommand(CommandId id) { return FindCommand(static_cast<int>(id)); }
/// The shortcuts of a row split at ";".
std::vector<std::string_view> SplitShortcuts(std::string_view shortcuts);
/// The first recent-file entry command (57616); entries are consecutive.
inline constexpr int kFirstRecentFileCommand = static_cast<int>(CommandId::ID_FILE_MRU_FILE1);

}  // namespace plume::shell
