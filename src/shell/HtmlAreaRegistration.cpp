#include "shell/HtmlAreaRegistration.h"

#include "platform/Cp932.h"
#include "shell/BrowserAddress.h"

namespace plume::shell {

std::string HtmlAreaRegistration::PageTitle() { return platform::Utf8ToCp932(area_.GetPageTitle()); }

std::string HtmlAreaRegistration::PageAddress() { return platform::Utf8ToCp932(area_.GetLocation()); }

bool HtmlAreaRegistration::PdfTextTaken(const std::filesystem::path& file) {
  const HtmlAreaController::PdfProgress& progress = area_.Progress();
  if (!progress.done) return false;
  // A text still being read for a PDF shown before does not count.
  const std::string local = LocalPathOf(progress.address);
  return !local.empty() && std::filesystem::path(local) == file && LocalPathOf(area_.GetLocation()) == local;
}

void HtmlAreaRegistration::ShowFile(const std::filesystem::path& file) {
  area_.Progress() = HtmlAreaController::PdfProgress{};
  area_.Navigate(file.string());
}

}  // namespace plume::shell
