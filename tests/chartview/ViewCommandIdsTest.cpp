// Every command the chart view's menus and keys use is a row of the command
// table, and the view's keys are the ones the table names.
#include <gtest/gtest.h>

#include <algorithm>

#include "chartview/ViewKeyCommand.h"
#include "chartview/ui/ContextMenuLayout.h"
#include "commands/CommandTable.h"

namespace plume::chartview {
namespace {

TEST(ViewCommandIds, ContextMenuItemsAreTableCommandsWithCaptions) {
  for (MenuId menu : {MenuId::View, MenuId::Node, MenuId::Slip, MenuId::Sel, MenuId::Zoom}) {
    for (const MenuEntry& entry : ContextMenuLayout::Entries(menu)) {
      if (entry.kind != MenuEntry::Kind::Item) continue;
      EXPECT_NE(commands::FindCommand(entry.command), nullptr) << entry.command;
      EXPECT_FALSE(entry.caption.empty()) << entry.command;
    }
  }
  // A command shown in two places keeps each place's caption.
  EXPECT_EQ(commands::Caption(commands::Id(commands::CommandId::ID_TEXT_EDIT), commands::CaptionPlace::SlipMenu),
            "テキスト編集(&T)\tWClick");
  EXPECT_EQ(commands::Caption(commands::Id(commands::CommandId::ID_TEXT_EDIT), commands::CaptionPlace::ViewMenu),
            "テキスト編集");
}

TEST(ViewCommandIds, ViewKeysAreTheShortcutsOfTheirTableRows) {
  for (const ViewKeyCommand& key : kViewKeyCommands) {
    const commands::CommandInfo* row = commands::FindCommand(key.command);
    ASSERT_NE(row, nullptr) << key.command;
    EXPECT_EQ(row->owner, commands::CommandOwner::ViewKeys) << key.command;
    const auto shortcuts = commands::SplitShortcuts(row->shortcuts);
    EXPECT_NE(std::find(shortcuts.begin(), shortcuts.end(), key.shortcut), shortcuts.end()) << key.command;
  }
}

}  // namespace
}  // namespace plume::chartview
