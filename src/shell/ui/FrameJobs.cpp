// The window and the one job gate: while a capture, a registration, the wait
// for a dropped PDF's text, a save or an open runs, the wait cursor shows and
// the commands that would start another job or replace, save or cut the
// document are disabled. Closing the window stops the running job first.
#include <QApplication>
#include <QTimer>

#include "capture/RegistrationFlows.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/FrameRegistration.h"

namespace plume::shell {

namespace {

/// The commands a running job must never meet in its middle.
bool RefusedWhileBusy(int id) {
  switch (static_cast<CommandId>(id)) {
    case CommandId::ID_FILE_NEW:
    case CommandId::ID_FILE_OPEN:
    case CommandId::ID_OPEN_SAMPLE:
    case CommandId::ID_FILE_SAVE:
    case CommandId::ID_FILE_SAVE_AS:
    case CommandId::ID_APP_EXIT:
    case CommandId::ID_PAGE_DELETE:
      return true;
    default:
      break;
  }
  if (id >= kFirstRecentFileCommand && id < kFirstRecentFileCommand + RecentFileList::kSize) return true;
  return capture::RegistrationFlows::IsRegistrationCommand(id);
}

}  // namespace

void CMainFrame::BindJobGate() {
  router_->SetRefusal([this](int id) { return jobs_->Busy() && RefusedWhileBusy(id); });
  jobs_->SetListener([this](bool busy) {
    // From the first moment of a job to its end; one cursor per job.
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
    router_->Refresh();
    if (!busy && closeWhenIdle_) {
      closeWhenIdle_ = false;
      QTimer::singleShot(0, this, &QWidget::close);
    }
  });
}

bool CMainFrame::CloseAfterJobs() {
  // A dropped PDF still waiting for its text is cancelled: its files leave the store.
  if (registration_ != nullptr) registration_->Flows().CancelDrop();
  if (!jobs_->Busy()) return true;
  // A capture or download is running inside its own event loop: it is asked
  // to stop, and the window closes once the gate is free.
  if (registration_ != nullptr) registration_->CancelRunning();
  closeWhenIdle_ = true;
  return false;
}

}  // namespace plume::shell
