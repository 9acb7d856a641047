// The settings sheet (311) and the recent file manager (395) of the main frame.

#include <QUrl>

#include "platform/SettingsTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMainSheet.h"
#include "shell/ui/CPage4.h"
#include "shell/ui/CRecentDlg.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/CHView.h"
#include "store/MaterialStore.h"
#include "platform/qt/QtFolderOpener.h"

namespace plume::shell {

bool CMainFrame::OpenSettingsSheet() {
  CMainSheet sheet(*services_.store, animeCount_, this);
  sheet.Web()->currentAddress = [this] { return htmlArea_ ? QString::fromStdString(htmlArea_->GetLocation()) : QString(); };
  if (sheet.exec() != QDialog::Accepted || !sheet.Result()) return false;
  animeCount_ = sheet.Result()->animeCount;
  if (sheet.Result()->homeChanged && htmlArea_) {
    htmlArea_->Navigate(platform::settings::Get(*services_.store, platform::settings::KanSet::Home));
  }
  return true;
}

void CMainFrame::BindSettingsCommands() {
  router_->Handle(CommandId::ID_KAN_SET, [this] { OpenSettingsSheet(); });
  router_->Handle(CommandId::ID_RECENT_KANRI, [this] {
    if (!services_.recent) return;
    CRecentDlg dialog(
        *services_.recent,
        [this](const std::string& path) {
          platform::QtFolderOpener folders;
          store::MaterialStore(*services_.store, nullptr, &folders).OpenFolderInBrowser(path);
        },
        this);
    dialog.exec();
  });
}

}  // namespace plume::shell
