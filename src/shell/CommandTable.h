#pragma once
// The shell's names for the command table, which lives in commands/ so that
// every layer may use it.

#include "commands/CommandTable.h"

namespace plume::shell {

using commands::AllCommands;
using commands::CommandId;
using commands::CommandInfo;
using commands::CommandOwner;
using commands::FindCommand;
using commands::InFrameKeyTable;
using commands::kFirstRecentFileCommand;
using commands::SplitShortcuts;

}  // namespace plume::shell
