// The text of a PDF registered from the command line, through poppler, as
// the HTML area takes the text of a PDF on show.

#include "CliCommands.h"
#include "platform/Cp932.h"
#include "platform/pdf/PopplerPdfText.h"

namespace plume::cli {

std::string PdfTextForRegister(const std::filesystem::path& pdf) {
  const platform::PdfTextResult result = platform::PopplerPdfText().FromFile(pdf);
  return result.ok ? platform::Utf8ToCp932(result.text) : std::string();
}

}  // namespace plume::cli
