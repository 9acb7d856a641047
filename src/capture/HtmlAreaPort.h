#pragma once
// The HTML area as the registration flows see it: what page is on show and
// the navigation a dropped PDF needs. Texts are CP932.

#include <filesystem>
#include <string>

namespace plume::capture {

class HtmlAreaPort {
 public:
  virtual ~HtmlAreaPort() = default;
  /// Type word of the page on show ("HTML", "PDF", "JPEG", ... or empty).
  virtual std::string PageType() = 0;
  virtual std::string PageTitle() = 0;
  virtual std::string PageAddress() = 0;
  /// Shows a local file (a dropped PDF); the area starts taking its text.
  virtual void ShowFile(const std::filesystem::path& file) = 0;
  /// Whether the text of `file` (shown by ShowFile) has been put into the
  /// text area; the text of any other PDF does not count.
  virtual bool PdfTextTaken(const std::filesystem::path& file) = 0;
  /// Goes back to the page shown before the last ShowFile.
  virtual void GoBack() = 0;
  /// Whether the area is on screen (a visible-part capture needs it).
  virtual bool AreaShown() = 0;
};

/// Stands in while there is no HTML area: nothing is on show, and a shown
/// file's text counts as taken at once.
class NoHtmlArea : public HtmlAreaPort {
 public:
  std::string PageType() override { return {}; }
  std::string PageTitle() override { return {}; }
  std::string PageAddress() override { return {}; }
  void ShowFile(const std::filesystem::path&) override {}
  bool PdfTextTaken(const std::filesystem::path&) override { return true; }
  void GoBack() override {}
  bool AreaShown() override { return true; }
};

}  // namespace plume::capture
