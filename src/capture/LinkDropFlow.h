#pragma once
// A link dropped on the chart view: the file it names is downloaded and
// registered with the link as its source address and its file name as title.

#include <string_view>

#include "capture/InsertionPoint.h"
#include "capture/RegistrationJob.h"
#include "capture/RegistrationPorts.h"

namespace plume::capture {

class LinkDropFlow {
 public:
  LinkDropFlow(const RegistrationPorts& ports, RegistrationJob& job);

  /// A link (CP932 text): its type by DetectUrlType (30022 when it has none),
  /// decoded when it holds "%", then Register.
  bool Drop(std::string_view linkText, InsertionPoint at);
  /// Downloads `downloadUrl` (or `url` when empty) and registers it with
  /// `url` as its source address.
  bool Register(std::string_view url, std::string_view typeWord, InsertionPoint at, std::string_view downloadUrl = {});

 private:
  bool Download(std::string_view url, std::string_view typeWord, InsertionPoint at, std::string_view downloadUrl);

  const RegistrationPorts& ports_;
  RegistrationJob& job_;
};

}  // namespace plume::capture
