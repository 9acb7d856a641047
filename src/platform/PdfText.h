#pragma once
// The text of a PDF document, as a reader's "select all, copy" would give it:
// page after page in reading order, UTF-8, lines ended by "\n". Used for the
// PDF on show in the HTML area, for registering PDF files and for the word
// processor export. Nothing is thrown across this interface.

#include <filesystem>
#include <stop_token>
#include <string>
#include <string_view>

namespace plume::platform {

/// Outcome of a text extraction.
struct PdfTextResult {
  bool ok = false;
  std::string text;    ///< UTF-8; empty for a PDF without text
  std::string detail;  ///< why it failed, in English, for diagnostics
};

class PdfText {
 public:
  virtual ~PdfText() = default;

  /// The text of the PDF file at `path`. Pages are joined by "\n". A
  /// `stop` request is honoured between pages (the result is then not ok).
  /// Safe to call from any thread, several at once.
  virtual PdfTextResult FromFile(const std::filesystem::path& path, std::stop_token stop = {}) const = 0;
  /// The same for a PDF held in memory.
  virtual PdfTextResult FromBytes(std::string_view bytes, std::stop_token stop = {}) const = 0;
};

}  // namespace plume::platform
