#pragma once
// The related text of a registration: the text area's text in the work
// folder's tmp.txt, written with CR LF line ends.

#include <filesystem>
#include <string_view>

#include "capture/RegistrationPorts.h"

namespace plume::capture {

class RelatedText {
 public:
  explicit RelatedText(const RegistrationPorts& ports) : ports_(ports) {}

  /// Writes `text` (CP932) with CR LF line ends; messages 30024/30026.
  static bool Write(const std::filesystem::path& path, std::string_view text);
  /// Removes W/tmp.txt; false when the work folder or the removal fails.
  bool Reset();
  /// The related text of the text area in W/tmp.txt, or empty.
  std::filesystem::path FromTextArea();

 private:
  const RegistrationPorts& ports_;
};

}  // namespace plume::capture
