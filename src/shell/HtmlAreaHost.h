#pragma once
// What the HTML area's rules ask of the window around the browser: the text
// area, the address field, the status pane "URL", the ribbon's page type
// display, a repeating timer and a way back onto the user-interface thread.
// Every call has a harmless default, so a fake overrides only what a test
// looks at.

#include <functional>
#include <string_view>

namespace plume::shell {

class HtmlAreaHost {
 public:
  virtual ~HtmlAreaHost() = default;

  /// Replaces the text area's text (UTF-8, "\n" line ends) and puts the caret
  /// at the start, scrolled to the top. Empty text clears it.
  virtual void SetTextAreaText(std::string_view text) { (void)text; }
  /// The browser bar's address field.
  virtual void SetAddressField(std::string_view address) { (void)address; }
  /// The status pane "URL".
  virtual void SetStatusPane(std::string_view text) { (void)text; }
  /// The ribbon's page type display (32829): the type word, empty for none.
  virtual void ShowPageType(std::string_view pageType) { (void)pageType; }

  /// Starts (or restarts) the one-second PDF text timer; each tick calls
  /// HtmlAreaController::PdfTimerTick.
  virtual void StartPdfTimer() {}
  virtual void StopPdfTimer() {}

  /// Runs `task` later on the user-interface thread; callable from any thread.
  virtual void Post(std::function<void()> task) = 0;
};

}  // namespace plume::shell
