#pragma once
// The HTML area as the registration flows see it: the controller's page
// type, title and address in the program's encoding, a dropped PDF shown and
// its text awaited through the controller's PDF progress.

#include "capture/HtmlAreaPort.h"
#include "shell/HtmlAreaController.h"

namespace plume::shell {

class HtmlAreaRegistration : public capture::HtmlAreaPort {
 public:
  explicit HtmlAreaRegistration(HtmlAreaController& area) : area_(area) {}
  std::string PageType() override { return area_.GetPageType(); }
  std::string PageTitle() override;
  std::string PageAddress() override;
  /// Clears the PDF progress and shows the file.
  void ShowFile(const std::filesystem::path& file) override;
  bool PdfTextTaken() override { return area_.Progress().done; }
  void GoBack() override { area_.Back(); }

 private:
  HtmlAreaController& area_;
};

}  // namespace plume::shell
