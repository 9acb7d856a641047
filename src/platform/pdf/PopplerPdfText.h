#pragma once
// PDF text through poppler-cpp: each page's text in reading order (the layout
// pdftotext uses by default). Damaged, encrypted and non-PDF input fails
// cleanly; poppler's own diagnostics are kept off standard error. The pages
// of a long document are read on every core, each thread with a document of
// its own over the same bytes, and joined in page order.

#include "platform/PdfText.h"

namespace plume::platform {

class PopplerPdfText : public PdfText {
 public:
  /// `pageSeparator` goes between pages; the word-processor export asks for
  /// a form feed so that it can keep the page breaks.
  /// `threads` read the pages of a long document (0: one per core, at most four).
  explicit PopplerPdfText(char pageSeparator = '\n', int threads = 0);
  PdfTextResult FromFile(const std::filesystem::path& path, std::stop_token stop = {}) const override;
  PdfTextResult FromBytes(std::string_view bytes, std::stop_token stop = {}) const override;

 private:
  char pageSeparator_;
  int threads_;
};

}  // namespace plume::platform
