// plumeboard-tool jpg2pdf and txt2pdf: the program's own PDF writers.

#include <charconv>
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "convert/CJpg2Pdf.h"
#include "convert/CTxt2Pdf.h"

namespace plume::cli {

int RunJpg2Pdf(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  convert::CJpg2Pdf writer;
  writer.SetSuccessLine(false);
  return writer.Convert(std::string(args[1]), std::string(args[0])) ? 0 : 1;
}

int RunTxt2Pdf(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  // IN OUT --width W, the option anywhere after the command name.
  std::vector<std::string_view> paths;
  std::string_view widthText;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--width" && i + 1 < args.size()) {
      widthText = args[++i];
    } else {
      paths.push_back(args[i]);
    }
  }
  unsigned width = 0;
  const auto parsed = std::from_chars(widthText.data(), widthText.data() + widthText.size(), width);
  if (paths.size() != 2 || widthText.empty() || parsed.ec != std::errc() ||
      parsed.ptr != widthText.data() + widthText.size() || width > 65535) {
    std::cerr << "plumeboard-tool txt2pdf: give IN OUT --width W (W from 0 to 65535)\n";
    return 2;
  }
  convert::CTxt2Pdf writer;
  return writer.Convert(std::string(paths[0]), std::string(paths[1]), static_cast<std::uint16_t>(width)) ? 0 : 1;
}

}  // namespace plume::cli
