#pragma once
// The clipboard-image command: the clipboard's bitmap saved in the work
// folder as the ImageType setting says (a PNG when it has see-through parts)
// and stored as a picture material.

#include "capture/CaptureState.h"
#include "capture/InsertionPoint.h"
#include "capture/RegistrationJob.h"
#include "capture/RegistrationPorts.h"

namespace plume::capture {

class ClipboardImageFlow {
 public:
  /// The saved bitmap's file is recorded in `state`.
  ClipboardImageFlow(const RegistrationPorts& ports, RegistrationJob& job, CaptureState& state);

  /// The registration of the clipboard's bitmap at `at`; false when nothing was registered.
  bool Run(InsertionPoint at);

 private:
  const RegistrationPorts& ports_;
  RegistrationJob& job_;
  CaptureState& state_;
};

}  // namespace plume::capture
