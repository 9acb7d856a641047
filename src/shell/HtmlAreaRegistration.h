#pragma once
// The HTML area as the registration flows see it: the controller's page
// type, title and address in the program's encoding, a dropped PDF shown and
// its text awaited through the controller's PDF progress.

#include <functional>

#include "capture/HtmlAreaPort.h"
#include "shell/HtmlAreaController.h"

namespace plume::shell {

class HtmlAreaRegistration : public capture::HtmlAreaPort {
 public:
  /// `shown` tells whether the area is on screen; none: always.
  explicit HtmlAreaRegistration(HtmlAreaController& area, std::function<bool()> shown = {})
      : area_(area), shown_(std::move(shown)) {}
  std::string PageType() override { return area_.GetPageType(); }
  std::string PageTitle() override;
  std::string PageAddress() override;
  /// Clears the PDF progress and shows the file.
  void ShowFile(const std::filesystem::path& file) override;
  /// The text of `file` arrived, and `file` is still the page on show.
  bool PdfTextTaken(const std::filesystem::path& file) override;
  void GoBack() override { area_.Back(); }
  bool AreaShown() override { return !shown_ || shown_(); }

 private:
  HtmlAreaController& area_;
  std::function<bool()> shown_;
};

}  // namespace plume::shell
