#pragma once
// The word-processor export: the text of the PDF on show becomes a new text
// document in the work folder, opened in the word processor. With formatting
// the PDF's lines and pages are kept (a form feed in the text separates
// pages); text only inserts the text prepared as below.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/ProcessLauncher.h"

namespace plume::convert {

/// Text-only preparation (UTF-8): when the first 1,000 characters, with every
/// double blank removed, hold fewer blanks than line breaks, every line
/// break (CR LF or LF) becomes a blank and then every " . " becomes ".\r\n".
/// Otherwise the text is returned unchanged.
std::string PrepareTextOnly(std::string text);

/// What goes into the document.
struct WordContent {
  bool formatted = true;
  /// With formatting: the pages, each a list of lines. Text only: one page
  /// holding the prepared text's lines.
  std::vector<std::vector<std::string>> pages;
};
WordContent BuildWordContent(const std::string& pdfText, bool formatted);

/// The document's name for the PDF at `address`: the last part of the
/// address (after the last "\" or "/") without its extension; empty when
/// there is no separator or no ".".
std::string WordDocumentName(const std::string& address);

/// The export toggle (355): the value written, the caption now shown and
/// the button image for a stored `OptWord` of `current`.
struct WordOptionToggle {
  int newValue;
  const char* caption;
  int image;
};
WordOptionToggle ToggleWordOption(int current);

/// Opens `document` in LibreOffice Writer as a new untitled document (the
/// file serves as its template) or else in the desktop's handler for ODF
/// text. Neither installed → 30624 (what to install) and false; one that
/// cannot be started → 30070 and false.
bool OpenInWordProcessor(platform::ProcessLauncher& launcher, const std::filesystem::path& document);

struct WordExportServices {
  /// Writes the content as an ODF text document; false on failure.
  std::function<bool(const WordContent&, const std::filesystem::path&)> writeDocument;
  platform::ProcessLauncher* launcher = nullptr;  ///< null: the document is written but not opened
};

/// `<folder>/<name>.odt`, or `<name>-2.odt`, `<name>-3.odt`, ... when taken:
/// an export never overwrites an earlier one the word processor may still read.
std::filesystem::path FreeDocumentPath(const std::filesystem::path& folder, const std::string& name);

/// The export of the PDF at `address` whose text is `pdfText`: nothing when
/// the name or the text is empty; otherwise writes a free `<folder>/<name>.odt`
/// (30623 when it cannot) and opens it. Returns the document written (empty when none was).
std::filesystem::path ExportToWord(const std::string& address, const std::string& pdfText, bool formatted,
                                   const std::filesystem::path& folder, const WordExportServices& services);

}  // namespace plume::convert
