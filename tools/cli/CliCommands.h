#pragma once
// The commands of plumeboard-tool. Each command lives in its own file and is
// listed once in the table in main.cpp.

#include <string_view>
#include <vector>

namespace plume::cli {

struct CliCommand {
  std::string_view name;
  std::string_view usage;  ///< arguments and a one-line description
  int minArgs;             ///< arguments after the command name
  int maxArgs;
  int (*run)(const std::vector<std::string_view>& args);
};

int RunDump(const std::vector<std::string_view>& args);
int RunRewrite(const std::vector<std::string_view>& args);
int RunDemo(const std::vector<std::string_view>& args);

}  // namespace plume::cli
