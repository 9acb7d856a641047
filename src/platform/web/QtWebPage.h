#pragma once
// The page of the HTML area's browser: it decides which navigations may
// happen (scheme allow-list, no local files reached from remote pages),
// keeps script console output to itself and shows the page's own dialogs
// (alert, confirm, prompt) with a check box that stops a page opening dialog
// after dialog. While dialogs are refused (during a capture, or always in the
// tool) a dialog answers at once as if cancelled.

#include <QWebEnginePage>

#include <algorithm>

#include <functional>

namespace plume::platform {

class QtWebPage : public QWebEnginePage {
  Q_OBJECT
 public:
  QtWebPage(QWebEngineProfile* profile, QObject* parent);

  /// Whether a page at `from` may navigate a frame to `to`.
  static bool MayNavigate(const QUrl& from, const QUrl& to, NavigationType type, bool isMainFrame);

  /// Called with the address of every refused navigation.
  std::function<void(const QUrl&)> refused;

  /// Refuses the page's dialogs while at least one refusal is held.
  void HoldDialogRefusal() { ++refusals_; }
  void ReleaseDialogRefusal() { refusals_ = std::max(0, refusals_ - 1); }
  bool DialogsRefused() const { return refusals_ > 0 || silenced_; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                        QString* result) override;

 private:
  enum class DialogKind { Alert, Confirm, Prompt };
  bool AskUser(DialogKind kind, const QUrl& origin, const QString& message, QString* text);

  int refusals_ = 0;
  bool silenced_ = false;  ///< the user asked for no more dialogs from this page
  int dialogsShown_ = 0;   ///< dialogs of the page on show; the check box comes with the second
};

}  // namespace plume::platform
