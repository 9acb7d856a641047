#pragma once
// The whole-page command: an HTML page is captured into a PDF; a PDF or a
// picture on show is fetched from its address and stored as it is. A page
// of no known type is taken for HTML once the user agrees.

#include <string>

#include "capture/InsertionPoint.h"
#include "capture/MaterialRegistration.h"
#include "capture/RegistrationJob.h"
#include "capture/RegistrationPorts.h"
#include "capture/ShownPageCapture.h"

namespace plume::capture {

class WholePageFlow {
 public:
  WholePageFlow(const RegistrationPorts& ports, RegistrationJob& job, ShownPageCapture& capture);

  /// The registration of the page on show at `at`; false when nothing was registered.
  bool Run(InsertionPoint at);

 private:
  /// The PDF (with its text) or picture on show, downloaded and stored.
  bool StoreShownFile(MaterialRegistration& r, const std::string& type, MaterialRecord& record);
  /// The HTML page captured into a PDF and stored with its text.
  bool StoreCapture(MaterialRegistration& r, MaterialRecord& record);

  const RegistrationPorts& ports_;
  RegistrationJob& job_;
  ShownPageCapture& capture_;
};

}  // namespace plume::capture
