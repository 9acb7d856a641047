#pragma once
// The chart view's own command keys: which key runs which command of the
// command table while the view has the focus. The table's rows name the same
// keys (owner ViewKeys); a test holds the two together.

#include <string_view>

#include "chartview/ControllerEvents.h"
#include "commands/CommandTable.h"

namespace plume::chartview {

struct ViewKeyCommand {
  Key key = Key::Other;
  bool ctrl = false;
  int command = 0;
  std::string_view shortcut;  ///< the key as the command table writes it

  /// The command of `key` (with Ctrl or not); 0 when the view has none.
  static constexpr int Find(Key key, bool ctrl);
};

/// The keys in the order the view tries them. Delete runs the node or the
/// slip command, whichever kind has the focus.
inline constexpr ViewKeyCommand kViewKeyCommands[] = {
    {Key::A, true, commands::Id(commands::CommandId::ID_SELECT_ALL_NODES), "Ctrl+A"},
    {Key::W, true, commands::Id(commands::CommandId::ID_SELECT_ALL_SLIPS), "Ctrl+W"},
    {Key::C, true, commands::Id(commands::CommandId::ID_VIEW_COPY), "Ctrl+C"},
    {Key::E, true, commands::Id(commands::CommandId::ID_SLIP_COPY), "Ctrl+E"},
    {Key::V, true, commands::Id(commands::CommandId::ID_VIEW_PASTE), "Ctrl+V"},
    {Key::Delete, false, commands::Id(commands::CommandId::ID_NODE_DELETE), "Delete"},
    {Key::Delete, false, commands::Id(commands::CommandId::ID_SLIP_DELETE), "Delete"},
};

constexpr int ViewKeyCommand::Find(Key key, bool ctrl) {
  for (const ViewKeyCommand& k : kViewKeyCommands)
    if (k.key == key && k.ctrl == ctrl) return k.command;
  return 0;
}

}  // namespace plume::chartview
