#pragma once
// PDF text through poppler-cpp: each page's text in reading order (the layout
// pdftotext uses by default). Damaged, encrypted and non-PDF input fails
// cleanly; poppler's own diagnostics are kept off standard error.

#include "platform/PdfText.h"

namespace plume::platform {

class PopplerPdfText : public PdfText {
 public:
  /// `pageSeparator` goes between pages; the word-processor export asks for
  /// a form feed so that it can keep the page breaks.
  explicit PopplerPdfText(char pageSeparator = '\n');
  PdfTextResult FromFile(const std::filesystem::path& path, std::stop_token stop = {}) const override;
  PdfTextResult FromBytes(std::string_view bytes, std::stop_token stop = {}) const override;

 private:
  char pageSeparator_;
};

}  // namespace plume::platform
