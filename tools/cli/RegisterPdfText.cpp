// The text of a PDF registered from the command line.

#include "CliCommands.h"

namespace plume::cli {

std::string PdfTextForRegister(const std::filesystem::path&) { return {}; }

}  // namespace plume::cli
