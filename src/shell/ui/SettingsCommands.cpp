#include "shell/ui/SettingsCommands.h"

#include <QUrl>

#include "platform/SettingsTable.h"
#include "platform/qt/QtFolderOpener.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMainSheet.h"
#include "shell/ui/CPage4.h"
#include "shell/ui/CRecentDlg.h"
#include "shell/ui/CommandRouter.h"
#include "store/MaterialStore.h"

namespace plume::shell {

SettingsCommands::SettingsCommands(Parts parts) : parts_(parts) {
  parts_.router.Handle(CommandId::ID_KAN_SET, [this] { OpenSettingsSheet(); });
  parts_.router.Handle(CommandId::ID_RECENT_KANRI, [this] { ManageRecentFiles(); });
}

bool SettingsCommands::OpenSettingsSheet() {
  CHView* html = parts_.htmlArea;
  CMainSheet sheet(parts_.settings, parts_.animeCount, parts_.owner);
  sheet.Web()->currentAddress = [html] { return html ? QString::fromStdString(html->GetLocation()) : QString(); };
  if (sheet.exec() != QDialog::Accepted || !sheet.Result()) return false;
  parts_.animeCount = sheet.Result()->animeCount;
  if (sheet.Result()->homeChanged && html) {
    html->Navigate(platform::settings::Get(parts_.settings, platform::settings::KanSet::Home));
  }
  return true;
}

void SettingsCommands::ManageRecentFiles() {
  if (!parts_.recent) return;
  platform::SettingsStore& settings = parts_.settings;
  CRecentDlg dialog(
      *parts_.recent,
      [&settings](const std::string& path) {
        platform::QtFolderOpener folders;
        store::MaterialStore(settings, nullptr, &folders).OpenFolderInBrowser(path);
      },
      parts_.owner);
  dialog.exec();
}

}  // namespace plume::shell
