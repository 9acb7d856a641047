#pragma once
// Starting other programs: the word processor, the desktop's handler for a
// file type. The program uses QProcess (platform/qt/QtProcessLauncher);
// tests script the answers.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plume::platform {

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  /// The full path of `program` found on the search path; empty when it is not installed.
  virtual std::filesystem::path FindProgram(const std::string& program) = 0;
  /// Starts `program` with `arguments` and does not wait for it; false when it could not be started.
  virtual bool StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments) = 0;
  /// Runs `program` to its end and returns what it wrote to standard output;
  /// nullopt when it could not be run or failed.
  virtual std::optional<std::string> RunAndRead(const std::filesystem::path& program,
                                                const std::vector<std::string>& arguments) = 0;
};

}  // namespace plume::platform
