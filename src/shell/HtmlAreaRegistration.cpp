#include "shell/HtmlAreaRegistration.h"

#include "platform/Cp932.h"

namespace plume::shell {

std::string HtmlAreaRegistration::PageTitle() { return platform::Utf8ToCp932(area_.GetPageTitle()); }

std::string HtmlAreaRegistration::PageAddress() { return platform::Utf8ToCp932(area_.GetLocation()); }

void HtmlAreaRegistration::ShowFile(const std::filesystem::path& file) {
  area_.Progress() = HtmlAreaController::PdfProgress{};
  area_.Navigate(file.string());
}

}  // namespace plume::shell
