#pragma once
// The document and the chart view as the registration flows see them.

#include <chrono>
#include <filesystem>

#include "document/ChartDocument.h"

namespace plume::capture {

class RegistrationHost {
 public:
  virtual ~RegistrationHost() = default;
  /// The document has a file name afterwards (asks when it has none).
  virtual bool EnsureSaved() = 0;
  virtual std::filesystem::path DocumentPath() = 0;
  virtual document::ChartDocument& Chart() = 0;
  /// Repaints the chart view at once and marks the document modified.
  virtual void NodeAdded() = 0;
  /// The chart view's drop timer: RegistrationFlows::DropTimerTick every `period` until stopped.
  virtual void StartDropTimer(std::chrono::milliseconds period) = 0;
  virtual void StopDropTimer() = 0;
  /// A whole-page capture has drawn `done` of `total` bands; false asks to
  /// cancel it. The window shows a progress dialog with Cancel for a long one.
  virtual bool CaptureProgress(int done, int total) {
    (void)done;
    (void)total;
    return true;
  }
  /// The capture of a registration has ended (its progress dialog goes).
  virtual void CaptureEnded() {}
};

}  // namespace plume::capture
