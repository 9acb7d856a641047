#include "capture/LinkDropFlow.h"

#include <filesystem>
#include <string>

#include "capture/DownloadPort.h"
#include "capture/MaterialRegistration.h"
#include "capture/RegistrationHost.h"
#include "capture/UrlRules.h"
#include "platform/Messages.h"
#include "store/index/CapturedCheck.h"

namespace plume::capture {

namespace fs = std::filesystem;

LinkDropFlow::LinkDropFlow(const RegistrationPorts& ports, RegistrationJob& job) : ports_(ports), job_(job) {}

bool LinkDropFlow::Drop(std::string_view linkText, InsertionPoint at) {
  if (!job_.GateOpen()) return false;
  std::string url(linkText);
  const std::string type = DetectUrlType(url);
  if (type.empty()) {
    platform::ShowMessage(platform::StringId::DropTypeUnknown, {}, platform::MsgIcon::Information);
    return false;
  }
  if (url.find('%') == std::string::npos) return Register(url, type, at);
  // The decoded address is what the information file records; the file is
  // fetched from the address as it came, which any server understands.
  return Register(DecodeUrlText(url), type, at, url);
}

bool LinkDropFlow::Register(std::string_view url, std::string_view typeWord, InsertionPoint at,
                            std::string_view downloadUrl) {
  if (!job_.GateOpen() || !ports_.host.EnsureSaved() || !job_.Begin("download")) return false;
  const bool done = Download(url, typeWord, at, downloadUrl);
  job_.End();
  return done;
}

bool LinkDropFlow::Download(std::string_view url, std::string_view typeWord, InsertionPoint at,
                            std::string_view downloadUrl) {
  auto r = MaterialRegistration::Reserve(ports_);
  if (!r) return false;
  const fs::path file = ports_.downloads.DownloadToWork(downloadUrl.empty() ? url : downloadUrl, typeWord);
  if (!file.empty() && ports_.captured && !ports_.captured->ProceedWithFile(file)) return r->Fail();
  MaterialRecord record(at);
  if (file.empty() || !r->StoreMaterial(typeWord, file, record)) return r->Fail();
  record.getFrom = url.empty() ? std::string(downloadUrl) : std::string(url);
  // The link's own file name is the node's title (the page title when it has none).
  const std::size_t slash = record.getFrom.find_last_of('/');
  if (slash != std::string::npos) record.title = record.getFrom.substr(slash + 1);
  return r->Register(std::move(record));
}

}  // namespace plume::capture
