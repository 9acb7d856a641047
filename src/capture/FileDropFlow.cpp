#include "capture/FileDropFlow.h"

#include "capture/MaterialRegistration.h"
#include "capture/RegistrationHost.h"
#include "capture/RelatedText.h"
#include "convert/DetectType.h"
#include "platform/Messages.h"
#include "store/index/CapturedCheck.h"

namespace plume::capture {

namespace fs = std::filesystem;

FileDropFlow::FileDropFlow(const RegistrationPorts& ports, RegistrationJob& job, PdfDropFlow& pdf)
    : ports_(ports), job_(job), pdf_(pdf) {}

bool FileDropFlow::Drop(const std::vector<fs::path>& files, InsertionPoint at) {
  if (files.empty() || !job_.GateOpen() || !ports_.host.EnsureSaved()) return false;
  RelatedText(ports_).Reset();
  if (files.size() > 1) {
    platform::ShowMessage(platform::StringId::DropOneFileAtATime);
    return false;
  }
  const fs::path& file = files.front();
  const std::string type = convert::DetectType(file.string());
  if (type.empty() || type == "HTML") {
    platform::ShowMessage(platform::StringId::DropTypeUnknown, {}, platform::MsgIcon::Information);
    return false;
  }
  if (!job_.Begin("drop")) return false;
  const bool done = type == "PDF" ? pdf_.Start(file, at) : DropPicture(file, type, at);
  job_.End();  // a PDF that waits for its text has taken the gate over
  return done;
}

bool FileDropFlow::DropPicture(const fs::path& file, const std::string& type, InsertionPoint at) {
  if (ports_.captured && !ports_.captured->ProceedWithFile(file)) return false;
  auto r = MaterialRegistration::Reserve(ports_);
  if (!r) return false;
  MaterialRecord record(at);
  if (!r->StoreMaterial(type, file, record)) return r->Fail();
  record.NameAfterFile(file);
  return r->Register(std::move(record));
}

}  // namespace plume::capture
