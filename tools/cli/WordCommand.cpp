// export-word: the text of a PDF written as the Word export writes it, an
// ODF text document with the PDF's lines and pages, or with --text-only the
// text prepared for a plain insertion.

#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-page.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "CliCommands.h"
#include "capture/WordExport.h"
#include "capture/ui/OdfWordWriter.h"

namespace plume::cli {
namespace {

namespace fs = std::filesystem;

// The text of every page (UTF-8), pages separated by form feeds; nullopt
// when the file is no readable PDF.
std::optional<std::string> PdfText(const fs::path& path) {
  std::unique_ptr<poppler::document> doc(poppler::document::load_from_file(path.string()));
  if (!doc || doc->is_locked()) return std::nullopt;
  std::string text;
  for (int i = 0; i < doc->pages(); ++i) {
    std::unique_ptr<poppler::page> page(doc->create_page(i));
    if (i > 0) text += '\f';
    if (!page) continue;
    const poppler::byte_array bytes = page->text().to_utf8();
    text.append(bytes.begin(), bytes.end());
  }
  return text;
}

}  // namespace

int RunExportWord(const std::vector<std::string_view>& args) {
  bool textOnly = false;
  if (args.size() == 3) {
    if (args[2] != "--text-only") {
      std::cerr << "usage: plumeboard-tool export-word IN.pdf OUT.odt [--text-only]\n";
      return 2;
    }
    textOnly = true;
  }
  const std::optional<std::string> text = PdfText(fs::path(args[0]));
  if (!text) {
    std::cerr << "plumeboard-tool: cannot read the PDF " << args[0] << "\n";
    return 1;
  }
  if (!capture::ui::WriteOdfDocument(capture::BuildWordContent(*text, !textOnly), fs::path(args[1]))) {
    std::cerr << "plumeboard-tool: cannot write " << args[1] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace plume::cli
