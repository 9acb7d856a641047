// The frame's own command handlers: areas, full screen, the ribbon, help,
// about, exit and the pointer trails.
#include <QStatusBar>

#include "platform/SettingsTable.h"
#include "shell/AnimePointer.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

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

}  // namespace plume::shell
