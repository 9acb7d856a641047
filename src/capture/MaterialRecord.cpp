#include "capture/MaterialRecord.h"

#include <system_error>

#include "platform/Cp932.h"

namespace plume::capture {

namespace fs = std::filesystem;

void MaterialRecord::NameAfterFile(const fs::path& file) {
  // The native file name and the file: address of the local file, as CP932 text.
  title = platform::Utf8ToCp932(file.filename().string());
  std::error_code ec;
  const fs::path absolute = fs::absolute(file, ec);
  getFrom = "file://" + platform::Utf8ToCp932((ec ? file : absolute).generic_string());
}

}  // namespace plume::capture
