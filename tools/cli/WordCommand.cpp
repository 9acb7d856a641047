// export-word: the text of a PDF written as the Word export writes it, an
// ODF text document with the PDF's lines and pages, or with --text-only the
// text prepared for a plain insertion.

#include <filesystem>
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "convert/WordExport.h"
#include "convert/ui/OdfWordWriter.h"
#include "platform/pdf/PopplerPdfText.h"

namespace plume::cli {

int RunExportWord(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  bool textOnly = false;
  if (args.size() == 3) {
    if (args[2] != "--text-only") {
      std::cerr << "usage: plumeboard-tool export-word IN.pdf OUT.odt [--text-only]\n";
      return 2;
    }
    textOnly = true;
  }
  const platform::PdfTextResult text = platform::PopplerPdfText('\f').FromFile(std::filesystem::path(args[0]));
  if (!text.ok) {
    std::cerr << "plumeboard-tool: cannot read the PDF " << args[0] << ": " << text.detail << "\n";
    return 1;
  }
  if (!convert::ui::WriteOdfDocument(convert::BuildWordContent(text.text, !textOnly), std::filesystem::path(args[1]))) {
    std::cerr << "plumeboard-tool: cannot write " << args[1] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace plume::cli
