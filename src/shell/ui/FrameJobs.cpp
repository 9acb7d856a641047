#include "shell/ui/FrameJobs.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "capture/RegistrationFlows.h"
#include "document/JobGate.h"
#include "shell/RecentFileList.h"
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

FrameJobs::FrameJobs(Parts parts) : parts_(parts) {
  document::JobGate& jobs = parts_.jobs;
  parts_.router.SetRefusal([&jobs](int id) { return jobs.Busy() && RefusedWhileBusy(id); });
  jobs.SetListener([this](bool busy) {
    // From the first moment of a job to its end; one cursor per job.
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
    parts_.router.Refresh();
    if (!busy && closeWhenIdle_) {
      closeWhenIdle_ = false;
      QTimer::singleShot(0, &parts_.window, &QWidget::close);
    }
  });
}

FrameJobs::~FrameJobs() { parts_.jobs.SetListener(nullptr); }

bool FrameJobs::CloseAfterJobs() {
  // A dropped PDF still waiting for its text is cancelled: its files leave the store.
  if (parts_.registration != nullptr) parts_.registration->Flows().CancelDrop();
  if (!parts_.jobs.Busy()) return true;
  // A capture or download is running inside its own event loop: it is asked
  // to stop, and the window closes once the gate is free.
  if (parts_.registration != nullptr) parts_.registration->CancelRunning();
  closeWhenIdle_ = true;
  return false;
}

}  // namespace plume::shell
