#pragma once
// The job gate as the registration flows hold it: one flow at a time, the
// capture's progress and its cancel.

#include <memory>

#include "capture/PageCapturePort.h"
#include "document/JobGate.h"

namespace plume::capture {

class RegistrationHost;

class RegistrationJob {
 public:
  /// `jobs` is the application's one job gate; null: the flows keep their own.
  RegistrationJob(RegistrationHost& host, document::JobGate* jobs);

  /// Whether no job runs; shows 30620 otherwise.
  bool GateOpen();
  /// Takes the gate for `what` after the saving questions; false when taken meanwhile.
  bool Begin(const char* what);
  /// Lets go of the gate a flow took (its progress dialog goes too).
  void End();
  /// The progress the capture reports: the window's dialog, or a cancel.
  CaptureProgress Progress();
  /// Asks the running capture to stop at its next band.
  void Cancel() { cancelRequested_ = true; }
  /// Whether a flow holds the gate now.
  bool Held() const { return static_cast<bool>(ticket_); }
  /// Hands the gate on to a registration that outlasts its flow (a dropped
  /// PDF waiting for its text); End then has nothing to let go of.
  document::JobGate::Ticket Hand() { return std::move(ticket_); }

 private:
  RegistrationHost& host_;
  std::unique_ptr<document::JobGate> ownJobs_;
  document::JobGate* jobs_ = nullptr;
  document::JobGate::Ticket ticket_;  ///< held while a flow runs
  bool cancelRequested_ = false;
};

}  // namespace plume::capture
