#pragma once
// How the document runs a pack or unpack job: the program shows the
// processing dialog while the job runs; this default just runs it.

#include "document/ShoriJob.h"

namespace plume::document {

class ShoriRunner {
 public:
  virtual ~ShoriRunner() = default;
  /// Runs the whole job before returning; true when it succeeded.
  virtual bool Run(ShoriJob& job) { return job.Run(); }
};

}  // namespace plume::document
