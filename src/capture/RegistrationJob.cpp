#include "capture/RegistrationJob.h"

#include "capture/RegistrationHost.h"
#include "platform/Messages.h"

namespace plume::capture {

namespace {

/// 30620: another job runs; always false.
bool RefuseWhileBusy() {
  platform::ShowMessage(platform::StringId::JobRunning, {}, platform::MsgIcon::Information);
  return false;
}

}  // namespace

RegistrationJob::RegistrationJob(RegistrationHost& host, document::JobGate* jobs) : host_(host) {
  if (jobs == nullptr) ownJobs_ = std::make_unique<document::JobGate>();
  jobs_ = jobs != nullptr ? jobs : ownJobs_.get();
}

bool RegistrationJob::GateOpen() { return !jobs_->Busy() || RefuseWhileBusy(); }

bool RegistrationJob::Begin(const char* what) {
  cancelRequested_ = false;
  ticket_ = jobs_->TryBegin(what);
  return ticket_ || RefuseWhileBusy();
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
