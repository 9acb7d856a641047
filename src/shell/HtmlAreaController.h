#pragma once
// The HTML area's rules over the abstract web view: the page type after every
// completed load, the page's text handed to the text area (HTML through
// TidyPageText, PDF text extracted on a worker thread within 20 seconds),
// the browser bar's actions (home, set home, text size, go), bookmarks, the
// web search, new-window requests and the status text. The Qt widgets only
// forward to it.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "platform/PdfText.h"
#include "platform/SettingsStore.h"
#include "platform/WebView.h"
#include "shell/Bookmarks.h"
#include "shell/BrowserAddress.h"
#include "shell/HtmlAreaHost.h"

namespace plume::shell {

class HtmlAreaController {
 public:
  /// The text size the browser starts with, and its bounds.
  static constexpr int kStartTextSize = 3;
  static constexpr int kMaxTextSize = 4;
  /// Seconds a PDF's text may take before the text area is left empty.
  static constexpr int kPdfTextTicks = 20;

  /// `scratchFolder` receives PDFs downloaded for their text (removed after use).
  HtmlAreaController(platform::WebView& view, platform::SettingsStore& store, const platform::PdfText& pdfText,
                     HtmlAreaHost& host, std::filesystem::path scratchFolder);
  ~HtmlAreaController();
  HtmlAreaController(const HtmlAreaController&) = delete;
  HtmlAreaController& operator=(const HtmlAreaController&) = delete;

  /// Sets the start text size and, unless told otherwise, shows the home page.
  void Start(bool showHome = true);

  /// Type word of the page on show ("HTML", "PDF", "JPEG", ...; empty unknown).
  const std::string& GetPageType() const { return pageType_; }
  std::string GetPageTitle() const { return view_.Title(); }
  std::string GetLocation() const { return view_.Address(); }
  /// Shows `address` (an address or an absolute local path) when it is an
  /// http, https, file or about address; otherwise shows 30520 and returns false.
  bool Navigate(std::string_view address);

  void Back() { view_.Back(); }
  void Forward() { view_.Forward(); }
  void Stop() { view_.Stop(); }
  void GoHome();
  /// Asks 30030 and stores the page on show (Yes) or "about:blank" (No) as
  /// the home page, then tells 30031. Nothing while no page or about:blank is on show.
  void SetHome();
  void LargerText();
  void SmallerText();
  int TextSize() const { return textSize_; }
  /// The address field's text: nothing when empty, else shown (see AddressFromTyped).
  void Go(std::string_view typed);

  Bookmarks& Marks() { return bookmarks_; }
  void OpenBookmark(int slot);
  /// Bookmarks the page on show with its title.
  void AddBookmark();
  /// Asks the entry's caption and 30032; removes the slot on Yes.
  void DeleteBookmark(int slot);

  /// Shows the web search for `words` (UTF-8) of `kind` and keeps the words
  /// in WebGoku. Nothing for empty words.
  void WebSearch(std::string_view words, SearchKind kind);

  /// Progress of the text of a PDF just loaded: ticks of the PDF timer so far
  /// and whether the extraction has finished (with text or without).
  struct PdfProgress {
    int ticks = 0;
    bool done = false;
    std::string address;  ///< the address whose PDF text the wait ended with
  };
  PdfProgress& Progress() { return progress_; }
  /// One second of the PDF timer: after kPdfTextTicks the wait ends, the
  /// text area stays empty and a late result is dropped.
  void PdfTimerTick();

 private:
  void OnLoadFinished(const std::string& address, bool ok);
  void OnNewWindowRefused(const std::string& address);
  void StartPdfText(const std::string& address);
  void ExtractOnWorker(std::filesystem::path file, bool removeAfter);
  void PdfTextArrived(unsigned generation, const platform::PdfTextResult& result);

  platform::WebView& view_;
  platform::SettingsStore& store_;
  const platform::PdfText& pdfText_;
  HtmlAreaHost& host_;
  std::filesystem::path scratch_;
  Bookmarks bookmarks_;
  std::string pageType_;
  std::string link_;
  int textSize_ = kStartTextSize;
  PdfProgress progress_;
  bool pdfTimerRunning_ = false;
  /// Counts completed loads; text for an older load is dropped.
  unsigned generation_ = 0;
  /// The address of the PDF whose text is being read.
  std::string pdfAddress_;
  /// Lets posted results find out whether the controller still exists.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  /// Last member: stopped and joined first when the controller goes.
  std::jthread worker_;
};

}  // namespace plume::shell
