#pragma once
// The process launcher on QProcess and the search path.

#include "platform/ProcessLauncher.h"

namespace plume::platform {

class QtProcessLauncher : public ProcessLauncher {
 public:
  std::filesystem::path FindProgram(const std::string& program) override;
  bool StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments) override;
  std::optional<std::string> RunAndRead(const std::filesystem::path& program,
                                        const std::vector<std::string>& arguments) override;
};

}  // namespace plume::platform
