#include "shell/ui/TabCommands.h"

#include <QColorDialog>
#include <QMenu>

#include <optional>
#include <span>

#include "chartview/ui/CTesselView.h"
#include "document/ui/CPageDlg.h"
#include "document/ui/CPropertyTip.h"
#include "document/ui/CUnderBar.h"
#include "platform/Cp932.h"
#include "platform/qt/QtConvert.h"
#include "shell/ui/CommandRouter.h"
#include "store/MaterialStore.h"

namespace plume::shell {

using platform::FromQColor;
using platform::ToQColor;

namespace {
/// The menu on a tab, top to bottom; an empty entry is a separator.
constexpr std::optional<CommandId> kTabMenu[] = {
    CommandId::ID_PAGE_LIST, CommandId::ID_PAGE_ALL_PDF, CommandId::ID_TAB_PROPERTY, std::nullopt,
    CommandId::ID_PAGE_RENAME, CommandId::ID_TAB_BK_COL, CommandId::ID_TAB_TEXT_COL, std::nullopt,
    CommandId::ID_PAGE_DELETE, std::nullopt,
    CommandId::ID_PAGE_PDF, std::nullopt,
    CommandId::ID_PAGE_MOVE_LEFT, CommandId::ID_PAGE_MOVE_RIGHT, std::nullopt,
    CommandId::ID_PAGE_ADD_BEFORE, CommandId::ID_PAGE_ADD_AFTER};
/// The short menu beside the tabs: the first entries only.
constexpr std::size_t kBesideTabs = 3;
}  // namespace

TabCommands::TabCommands(Parts parts) : parts_(std::move(parts)) {
  CommandRouter& r = parts_.router;
  document::CUnderBar& bar = parts_.tabBar;
  auto tabs = [&bar] { return bar.Tabs(); };
  auto command = [this, tabs](auto fn) {
    return [this, tabs, fn] {
      if (tabs()) fn(*tabs());
      AfterPageCommand();
    };
  };
  auto when = [tabs](auto rule) {
    return [tabs, rule] { return CommandState{tabs() && rule(tabs()->MenuEnabling()), false}; };
  };
  r.Handle(CommandId::ID_PAGE_LIST, command([this](document::PageTabs& t) {
             document::CPageDlg dialog(t, [this] { AfterPageCommand(); }, parts_.owner);
             dialog.exec();
           }));
  r.Handle(CommandId::ID_TAB_PROPERTY, [this] {
    document::CPropertyTip dialog(parts_.tabBar.Settings(), parts_.owner);
    if (dialog.exec() != QDialog::Accepted) return;
    parts_.tabBar.ApplySettings(dialog.Result());
    parts_.tabBar.Settings().Save(parts_.settings);
  });
  r.Handle(CommandId::ID_PAGE_RENAME, command([](document::PageTabs& t) { t.RenamePage(); }));
  r.Handle(CommandId::ID_TAB_BK_COL, command([this](document::PageTabs& t) {
             const QColor c = QColorDialog::getColor(ToQColor(parts_.chart.CurrentPage().tabBackColor), parts_.owner);
             if (c.isValid()) t.SetTabBackColor(FromQColor(c));
           }));
  r.Handle(CommandId::ID_TAB_TEXT_COL, command([this](document::PageTabs& t) {
             const QColor c = QColorDialog::getColor(ToQColor(parts_.chart.CurrentPage().tabTextColor), parts_.owner);
             if (c.isValid()) t.SetTabTextColor(FromQColor(c));
           }));
  r.Handle(CommandId::ID_PAGE_DELETE, command([](document::PageTabs& t) { t.DeleteCurrentPage(); }),
           when([](const document::PageTabs::MenuState& s) { return s.canDelete; }));
  r.Handle(CommandId::ID_PAGE_MOVE_LEFT, command([](document::PageTabs& t) { t.MoveLeft(); }),
           when([](const document::PageTabs::MenuState& s) { return s.canMoveLeft; }));
  r.Handle(CommandId::ID_PAGE_MOVE_RIGHT, command([](document::PageTabs& t) { t.MoveRight(); }),
           when([](const document::PageTabs::MenuState& s) { return s.canMoveRight; }));
  r.Handle(CommandId::ID_PAGE_ADD_BEFORE, command([](document::PageTabs& t) { t.AddPage(false); }));
  r.Handle(CommandId::ID_PAGE_ADD_AFTER, command([](document::PageTabs& t) { t.AddPage(true); }));

  bar.menuRequested = [this](QPoint at, bool onTab) {
    QMenu* menu = BuildMenu(onTab);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(onTab ? at : at - QPoint(0, 40));
  };
  // Deleting a page with "はい" deletes the materials of its nodes from the store.
  store::MaterialStore* materials = parts_.materials;
  bar.deleteMaterial = [materials](const document::NodeRecord& node) {
    if (materials) materials->DeleteMaterial(node.serial, platform::FieldText(node.dataType));
  };
}

void TabCommands::AfterPageCommand() {
  parts_.tabBar.Sync();
  // A change of the current page has already moved the view to the page's
  // saved position; any other page command keeps the view where it is.
  parts_.view.SetScrollExtent(parts_.view.View().ScrollExtent());
  parts_.view.Repaint(false);
  parts_.refreshTitle();
}

QMenu* TabCommands::BuildMenu(bool onTab) {
  CommandRouter& r = parts_.router;
  r.Refresh();
  auto* menu = new QMenu(parts_.owner);
  const auto entries = onTab ? std::span(kTabMenu) : std::span(kTabMenu).first(kBesideTabs);
  for (const std::optional<CommandId> id : entries) {
    if (id)
      menu->addAction(r.Action(*id));
    else
      menu->addSeparator();
  }
  return menu;
}

}  // namespace plume::shell
