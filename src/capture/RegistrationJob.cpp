#include "capture/RegistrationJob.h"

#include "capture/RegistrationHost.h"
#include "platform/Messages.h"

namespace plume::capture {

using platform::MsgIcon;
using platform::ShowMessage;
using platform::StringId;

RegistrationJob::RegistrationJob(RegistrationHost& host, document::JobGate* jobs) : host_(host) {
  if (jobs == nullptr) ownJobs_ = std::make_unique<document::JobGate>();
  jobs_ = jobs != nullptr ? jobs : ownJobs_.get();
}

bool RegistrationJob::GateOpen() {
  if (!jobs_->Busy()) return true;
  ShowMessage(StringId::JobRunning, {}, MsgIcon::Information);
  return false;
}

bool RegistrationJob::Begin(const char* what) {
  cancelRequested_ = false;
  ticket_ = jobs_->TryBegin(what);
  if (ticket_) return true;
  ShowMessage(StringId::JobRunning, {}, MsgIcon::Information);
  return false;
}

void RegistrationJob::End() {
  if (!ticket_) return;
  host_.CaptureEnded();
  ticket_.Release();
  cancelRequested_ = false;
}

CaptureProgress RegistrationJob::Progress() {
  return [this](int done, int total) {
    if (!cancelRequested_ && !host_.CaptureProgress(done, total)) cancelRequested_ = true;
    return !cancelRequested_;
  };
}

}  // namespace plume::capture
