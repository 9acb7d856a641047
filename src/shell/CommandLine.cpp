#include "shell/CommandLine.h"

namespace plume::shell {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--screenshot" || arg == "--settings" || arg == "--window-size") {
      if (i + 1 >= args.size()) {
        line.error = arg + " needs a value";
        return line;
      }
      const std::string& value = args[++i];
      if (arg == "--screenshot") line.screenshot = value;
      else if (arg == "--settings") line.settingsFile = value;
      else line.windowSize = value;
    } else if (arg == "--demo") {
      line.demo = true;
    } else if (arg == "--timing") {
      line.timing = true;
    } else if (arg.rfind("--", 0) == 0) {
      continue;  // options of the toolkit and the web engine
    } else if (!line.document) {
      line.document = arg;
    }
  }
  return line;
}

}  // namespace plume::shell
