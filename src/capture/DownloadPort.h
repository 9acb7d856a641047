#pragma once
// Fetching a linked file into the work folder.

#include <filesystem>
#include <string_view>

namespace plume::capture {

class DownloadPort {
 public:
  virtual ~DownloadPort() = default;
  /// Downloads `url` (CP932) to the work folder as "tmp." + `typeWord`; the
  /// file's path, or empty after message 30076 (or a cancel by the user,
  /// which shows nothing).
  virtual std::filesystem::path DownloadToWork(std::string_view url, std::string_view typeWord) = 0;
};

}  // namespace plume::capture
