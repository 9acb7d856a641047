#pragma once
// The program's command line: an optional document path and the options of
// headless runs.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plume::shell {

struct CommandLine {
  std::optional<std::filesystem::path> document;    ///< first argument that is not an option
  std::optional<std::filesystem::path> screenshot;  ///< --screenshot FILE: grab the window to a PNG and quit
  std::optional<std::filesystem::path> settingsFile;  ///< --settings FILE: an INI file instead of the user's
  std::string windowSize;  ///< --window-size WxH: the window's size for a screenshot
  bool demo = false;       ///< --demo: a chart with several pages instead of a new one
  bool timing = false;     ///< --timing: print the time to the first painted frame
  std::string error;  ///< an unusable command line, for standard error; empty when fine
};

/// Reads the arguments after the program name. Qt's own options (-platform,
/// --no-sandbox, ...) are taken out by the application object first.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace plume::shell
