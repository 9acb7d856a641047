#include "shell/ui/DocumentCommands.h"

#include "convert/PictureServices.h"
#include "document/DemoChart.h"
#include "document/ui/QtFileDialogs.h"
#include "shell/DocumentActions.h"
#include "shell/DocumentGuard.h"
#include "shell/RecentFileList.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

DocumentCommands::DocumentCommands(Parts parts) : parts_(std::move(parts)) {
  CommandRouter& r = parts_.router;
  r.Handle(CommandId::ID_FILE_NEW, [this] { New(false); });
  r.Handle(CommandId::ID_FILE_OPEN, [this] { Open(); });
  // A new user's first chart: the demonstration chart as a new, unsaved document.
  r.Handle(CommandId::ID_OPEN_SAMPLE, [this] { New(true); });
  r.Handle(CommandId::ID_FILE_SAVE, [this] {
    parts_.document.Save();
    parts_.refreshTitle();
  });
  r.Handle(CommandId::ID_FILE_SAVE_AS, [this] {
    parts_.document.SaveAs();
    parts_.refreshTitle();
  });
  BindRecentFiles();
}

void DocumentCommands::OpenPath(const std::filesystem::path& path) {
  if (!ConfirmDiscard(parts_.document)) return;
  parts_.document.Open(path);
  parts_.documentReplaced();
}

void DocumentCommands::New(bool sample) {
  if (!ConfirmDiscard(parts_.document)) return;
  parts_.document.New();
  if (sample) document::FillDemoChart(parts_.chart, parts_.pictures.pixels);
  parts_.documentReplaced();
}

void DocumentCommands::Open() {
  if (parts_.askOpenFile) {
    const QString file = parts_.askOpenFile();
    if (!file.isEmpty()) OpenPath(file.toStdString());
    return;
  }
  const auto file = document::ui::QtFileDialogs(parts_.owner).AskOpenFile({}, "Plumeboard Files|*.pbd||");
  if (file) OpenPath(*file);
}

void DocumentCommands::BindRecentFiles() {
  for (int n = 1; n <= RecentFileList::kSize; ++n) {
    parts_.router.Handle(
        kFirstRecentFileCommand + n - 1,
        [this, n] {
          const std::string path = parts_.recent->Entry(n);
          if (!path.empty()) OpenPath(path);
        },
        [this, n] { return CommandState{parts_.recent && !parts_.recent->Entry(n).empty(), false}; });
  }
}

}  // namespace plume::shell
