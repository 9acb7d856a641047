#pragma once
// The main window's side of the HTML area: the page's text into the text
// area, the status text into the pane "URL", the page type onto the ribbon,
// and the ribbon's web search with its four kinds. The window builds it with
// what it needs and it binds its commands.

class QLabel;
class QTextEdit;

namespace plume::shell {

class CHView;
class CMyRibbonBar;
class CommandRouter;

class BrowserCommands {
 public:
  struct Parts {
    CommandRouter& router;
    CMyRibbonBar& ribbon;  ///< the search field and the page type
    CHView& htmlArea;
    QTextEdit& textArea;   ///< receives the page's text
    QLabel& urlPane;       ///< the status pane "URL"
    int& searchKind;       ///< the kind of web search (0 to 3), kept by the window
  };

  /// Connects the HTML area's hand-overs and binds the web search commands to `parts.router`.
  explicit BrowserCommands(Parts parts);
  BrowserCommands(const BrowserCommands&) = delete;
  BrowserCommands& operator=(const BrowserCommands&) = delete;

 private:
  Parts parts_;
};

}  // namespace plume::shell
