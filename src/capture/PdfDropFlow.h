#pragma once
// A PDF dropped from a file manager: stored at once and shown in the HTML
// area, it registers once the area has put its text into the text area (or
// after the longest wait). It holds the job gate until its registration
// ends; a wait that is cancelled, or outlived by the document it was dropped
// on, removes the files it stored and leaves its number unused.

#include <chrono>
#include <filesystem>
#include <optional>

#include "capture/InsertionPoint.h"
#include "capture/MaterialRegistration.h"
#include "capture/RegistrationJob.h"
#include "capture/RegistrationPorts.h"
#include "document/JobGate.h"

namespace plume::capture {

class PdfDropFlow {
 public:
  /// The drop timer's period and the longest wait for a dropped PDF's text.
  static constexpr std::chrono::milliseconds kTick{250};
  static constexpr std::chrono::milliseconds kWait{21000};

  PdfDropFlow(const RegistrationPorts& ports, RegistrationJob& job);
  /// A PDF still waiting for its text is cancelled (its files removed).
  ~PdfDropFlow();
  PdfDropFlow(const PdfDropFlow&) = delete;
  PdfDropFlow& operator=(const PdfDropFlow&) = delete;

  /// Stores `file`, takes over the job gate `job` holds and starts the wait;
  /// false when nothing was started.
  bool Start(const std::filesystem::path& file, InsertionPoint at);
  /// One tick of the drop timer; true when it finished the registration.
  bool Tick();
  /// Cancels the wait: the files it stored go, no node is made, its number
  /// stays a gap and the HTML area goes back. Nothing without one.
  void Cancel();
  /// Whether a dropped PDF waits for its text.
  bool Pending() const { return pending_.has_value(); }

 private:
  struct Waiting {
    MaterialRegistration registration;
    std::filesystem::path file;
    std::filesystem::path document;  ///< the document it was dropped on
    InsertionPoint at;
    std::chrono::milliseconds waited{0};
    document::JobGate::Ticket ticket;  ///< held until the registration ends
  };

  bool Finish();

  const RegistrationPorts& ports_;
  RegistrationJob& job_;
  std::optional<Waiting> pending_;
};

}  // namespace plume::capture
