// The frame's command handlers: areas, full screen, help, about, the file
// commands and the page tab menu.
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include "chartview/ui/CTesselView.h"
#include "document/ui/CPageDlg.h"
#include "document/ui/CPropertyTip.h"
#include "document/ui/CUnderBar.h"
#include "document/ui/QtFileDialogs.h"
#include "shell/AnimePointer.h"
#include "shell/DocumentGuard.h"
#include "platform/SettingsTable.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"
#include "platform/qt/QtConvert.h"
#include "convert/PictureServices.h"
#include "document/DemoChart.h"

namespace plume::shell {

using platform::ToQColor;
using platform::FromQColor;

void CMainFrame::BindFrameCommands() {
  CommandRouter& r = *router_;
  r.Handle(CommandId::ID_DSP_KINTOU, [this] { RunAreaCommand(AreaCommand::Even); });
  r.Handle(CommandId::ID_DSP_HVIEW, [this] { RunAreaCommand(AreaCommand::HtmlOnly); });
  r.Handle(CommandId::ID_DSP_TVIEW, [this] { RunAreaCommand(AreaCommand::TextOnly); });
  r.Handle(CommandId::ID_DSP_VIEW, [this] { RunAreaCommand(AreaCommand::ChartOnly); });
  r.Handle(CommandId::ID_VIEW_FULLSCREEN, [this] { ToggleFullScreen(); });
  r.Handle(CommandId::ID_SHOW_MENU, [this] { ribbon_->SetMinimised(!ribbon_->IsMinimised()); });
  r.Handle(CommandId::ID_HELP, [this] { ShowHelp(); });
  r.Handle(CommandId::ID_APP_ABOUT, [this] { CAboutDlg(this).exec(); });
  r.Handle(CommandId::ID_APP_EXIT, [this] { close(); });
  r.Handle(CommandId::ID_PLAY_ANIME, [this] {
    animeCount_ = ToggledAnimeCount(animeCount_, platform::settings::Get(*services_.store,
                                                                          platform::settings::KanSet::PlayAnime));
    statusBar()->showMessage(QString::fromStdString(AnimeSwitchedText(animeCount_)), 1000);
  });
  // Elements that only group others or display something stay enabled.
  for (CommandId id : {CommandId::ID_HOZON_BTN, CommandId::ID_SETTEU_BTN, CommandId::ID_SEIRETU_BTN,
                       CommandId::ID_DSP_AREA, CommandId::ID_NOW_DSP, CommandId::ID_EDIT3}) {
    r.Handle(id, [] {});
  }
}

void CMainFrame::OpenPath(const std::filesystem::path& path) {
  if (!ConfirmDiscard(*services_.document)) return;
  services_.document->Open(path);
  DocumentReplaced();
}

void CMainFrame::BindDocumentCommands() {
  CommandRouter& r = *router_;
  r.Handle(CommandId::ID_FILE_NEW, [this] {
    if (!ConfirmDiscard(*services_.document)) return;
    services_.document->New();
    DocumentReplaced();
  });
  r.Handle(CommandId::ID_FILE_OPEN, [this] {
    if (askOpenFile) {
      const QString file = askOpenFile();
      if (!file.isEmpty()) OpenPath(file.toStdString());
      return;
    }
    const auto file = document::ui::QtFileDialogs(this).AskOpenFile({}, "Plumeboard Files|*.pbd||");
    if (file) OpenPath(*file);
  });
  // A new user's first chart: the demonstration chart as a new, unsaved document.
  r.Handle(CommandId::ID_OPEN_SAMPLE, [this] {
    if (!ConfirmDiscard(*services_.document)) return;
    services_.document->New();
    document::FillDemoChart(*services_.chart, services_.pictures->pixels);
    DocumentReplaced();
  });
  r.Handle(CommandId::ID_FILE_SAVE, [this] {
    services_.document->Save();
    RefreshTitle();
  });
  r.Handle(CommandId::ID_FILE_SAVE_AS, [this] {
    services_.document->SaveAs();
    RefreshTitle();
  });
  for (int n = 1; n <= RecentFileList::kSize; ++n) {
    r.Handle(
        kFirstRecentFileCommand + n - 1,
        [this, n] {
          const std::string path = services_.recent->Entry(n);
          if (!path.empty()) OpenPath(path);
        },
        [this, n] { return CommandState{services_.recent && !services_.recent->Entry(n).empty(), false}; });
  }
}

void CMainFrame::AfterPageCommand() {
  tabBar_->Sync();
  // A change of the current page has already moved the view to the page's
  // saved position; any other page command keeps the view where it is.
  chartView_->SetScrollExtent(chartView_->View().ScrollExtent());
  chartView_->Repaint(false);
  RefreshTitle();
}

void CMainFrame::BindTabCommands() {
  CommandRouter& r = *router_;
  auto tabs = [this] { return tabBar_->Tabs(); };
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
             document::CPageDlg dialog(t, [this] { AfterPageCommand(); }, this);
             dialog.exec();
           }));
  r.Handle(CommandId::ID_TAB_PROPERTY, [this] {
    document::CPropertyTip dialog(tabBar_->Settings(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    tabBar_->ApplySettings(dialog.Result());
    tabBar_->Settings().Save(*services_.store);
  });
  r.Handle(CommandId::ID_PAGE_RENAME, command([](document::PageTabs& t) { t.RenamePage(); }));
  r.Handle(CommandId::ID_TAB_BK_COL, command([this](document::PageTabs& t) {
             const QColor c = QColorDialog::getColor(ToQColor(services_.chart->CurrentPage().tabBackColor), this);
             if (c.isValid()) t.SetTabBackColor(FromQColor(c));
           }));
  r.Handle(CommandId::ID_TAB_TEXT_COL, command([this](document::PageTabs& t) {
             const QColor c = QColorDialog::getColor(ToQColor(services_.chart->CurrentPage().tabTextColor), this);
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
}

QMenu* CMainFrame::BuildTabMenu(bool onTab) {
  router_->Refresh();
  auto* menu = new QMenu(this);
  auto add = [this, menu](CommandId id) { menu->addAction(router_->Action(id)); };
  add(CommandId::ID_PAGE_LIST);
  add(CommandId::ID_PAGE_ALL_PDF);
  add(CommandId::ID_TAB_PROPERTY);
  if (!onTab) return menu;
  menu->addSeparator();
  add(CommandId::ID_PAGE_RENAME);
  add(CommandId::ID_TAB_BK_COL);
  add(CommandId::ID_TAB_TEXT_COL);
  menu->addSeparator();
  add(CommandId::ID_PAGE_DELETE);
  menu->addSeparator();
  add(CommandId::ID_PAGE_PDF);
  menu->addSeparator();
  add(CommandId::ID_PAGE_MOVE_LEFT);
  add(CommandId::ID_PAGE_MOVE_RIGHT);
  menu->addSeparator();
  add(CommandId::ID_PAGE_ADD_BEFORE);
  add(CommandId::ID_PAGE_ADD_AFTER);
  return menu;
}

}  // namespace plume::shell
