#include "capture/RegistrationFlows.h"

#include "capture/RelatedText.h"
#include "platform/WorkFolder.h"

namespace plume::capture {

namespace {

RegistrationPorts WithWorkFolder(RegistrationPorts ports) {
  if (!ports.workFolder) ports.workFolder = [] { return platform::GetScratchFolder(); };
  return ports;
}

}  // namespace

RegistrationFlows::RegistrationFlows(RegistrationPorts ports)
    : ports_(WithWorkFolder(std::move(ports))),
      job_(ports_.host, ports_.jobs),
      capture_(ports_, job_, state_),
      wholePage_(ports_, job_, capture_),
      visiblePdf_(capture_),
      pageImage_(capture_),
      clipboardImage_(ports_, job_, state_),
      pdfDrop_(ports_, job_),
      fileDrop_(ports_, job_, pdfDrop_),
      linkDrop_(ports_, job_) {}

bool RegistrationFlows::IsRegistrationCommand(int command) {
  return command == kCmdWholePage || command == kCmdVisiblePdf || command == kCmdWholeImage ||
         command == kCmdVisibleImage || command == kCmdClipboardImage;
}

bool RegistrationFlows::RunCommand(int command, InsertionPoint at) {
  if (!IsRegistrationCommand(command) || !job_.GateOpen()) return false;
  bool done = false;
  switch (command) {
    case kCmdWholePage:
      done = wholePage_.Run(at);
      break;
    case kCmdVisiblePdf:
      done = visiblePdf_.Run(at);
      break;
    case kCmdWholeImage:
      done = pageImage_.Run(true, at);
      break;
    case kCmdVisibleImage:
      done = pageImage_.Run(false, at);
      break;
    default:
      done = clipboardImage_.Run(at);
      break;
  }
  job_.End();
  return done;
}

bool RegistrationFlows::WriteTextFile(const std::filesystem::path& path, std::string_view text) {
  return RelatedText::Write(path, text);
}

}  // namespace plume::capture
