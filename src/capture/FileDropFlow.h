#pragma once
// Files dropped from a file manager, one at a time: a picture registers at
// once under its file name; a PDF waits for its text (PdfDropFlow).

#include <filesystem>
#include <string>
#include <vector>

#include "capture/InsertionPoint.h"
#include "capture/PdfDropFlow.h"
#include "capture/RegistrationJob.h"
#include "capture/RegistrationPorts.h"

namespace plume::capture {

class FileDropFlow {
 public:
  FileDropFlow(const RegistrationPorts& ports, RegistrationJob& job, PdfDropFlow& pdf);

  /// Files dropped (native paths) at `at`; true when a registration was made or started.
  bool Drop(const std::vector<std::filesystem::path>& files, InsertionPoint at);

 private:
  bool DropPicture(const std::filesystem::path& file, const std::string& type, InsertionPoint at);

  const RegistrationPorts& ports_;
  RegistrationJob& job_;
  PdfDropFlow& pdf_;
};

}  // namespace plume::capture
