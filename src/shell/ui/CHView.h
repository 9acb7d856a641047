#pragma once
// The HTML area: the browser bar over a web view, in the upper left of the
// main frame. The web view is the Qt WebEngine adapter, or a blank stand-in
// where no engine may start; the rules live in HtmlAreaController, and the
// frame receives the text area's text, the status text and the page type
// through the callbacks below.

#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/SettingsStore.h"
#include "shell/HtmlAreaHost.h"

class QTimer;
class QWebEngineView;

namespace plume::platform {
class PdfText;
class QtWebView;
class WebView;
}  // namespace plume::platform

namespace plume::shell {

class CTopBar;
class HtmlAreaController;

class CHView : public QWidget, private HtmlAreaHost {
  Q_OBJECT
 public:
  /// `useEngine` false: a blank area that only remembers addresses.
  /// `storageFolder`: where the browser keeps cookies and logins between
  /// runs; empty keeps nothing on disk.
  CHView(platform::SettingsStore& store, bool useEngine, const std::filesystem::path& storageFolder,
         QWidget* parent = nullptr);
  ~CHView() override;

  /// Type word of the page on show ("HTML", "PDF", ...; empty unknown).
  std::string GetPageType() const;
  /// Title of the page on show (UTF-8).
  std::string GetPageTitle() const;
  /// Address of the page on show (UTF-8).
  std::string GetLocation() const;
  /// Shows an address or an absolute local path (UTF-8); see HtmlAreaController::Navigate.
  bool Navigate(const std::string& address);

  HtmlAreaController& Controller() { return *controller_; }
  CTopBar* TopBar() const { return bar_; }
  /// The engine's view (to capture what is shown); nullptr without the engine.
  QWebEngineView* EngineView() const;
  /// The web engine's view with its session (cookies, user agent); null for a blank area.
  platform::QtWebView* WebEngine() const { return engine_; }

  /// The text area receives `text` with the caret at the start.
  std::function<void(const QString& text)> textAreaText;
  /// The status pane "URL".
  std::function<void(const QString& text)> statusPane;
  /// The ribbon's page type display (empty: unknown).
  std::function<void(const QString& pageType)> pageTypeShown;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // HtmlAreaHost
  void SetTextAreaText(std::string_view text) override;
  void SetAddressField(std::string_view address) override;
  void SetStatusPane(std::string_view text) override;
  void ShowPageType(std::string_view pageType) override;
  void StartPdfTimer() override;
  void StopPdfTimer() override;
  void Post(std::function<void()> task) override;

  QTemporaryDir scratch_;
  std::unique_ptr<platform::PdfText> pdfText_;
  std::unique_ptr<platform::WebView> web_;
  platform::QtWebView* engine_ = nullptr;  ///< web_ when it is the engine
  std::unique_ptr<HtmlAreaController> controller_;
  CTopBar* bar_ = nullptr;
  QTimer* pdfTimer_ = nullptr;
  bool started_ = false;
  bool navigated_ = false;  ///< an address was asked for before the area was first shown
};

}  // namespace plume::shell
