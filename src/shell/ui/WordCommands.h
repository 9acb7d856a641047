#pragma once
// The Word export command group of the main window: "Word 出力" (354) writes
// the text of the PDF on show as an ODF text document in this process's
// scratch folder and opens it in the word processor as a new untitled
// document; "書式付" (355) switches between keeping the PDF's layout and
// inserting plain text. The window builds it and it binds its commands.

#include <string>

class QTextEdit;

namespace plume::platform {
class SettingsStore;
}

namespace plume::shell {

class CHView;
class CMyRibbonBar;
class CommandRouter;

class WordCommands {
 public:
  struct Parts {
    CommandRouter& router;
    CMyRibbonBar& ribbon;  ///< shows the "書式付" state
    platform::SettingsStore& settings;
    CHView* htmlArea;      ///< null: no PDF is ever on show
    QTextEdit* textArea;   ///< holds the text of a PDF shown from the web
  };

  /// Binds the two commands to `parts.router`.
  explicit WordCommands(Parts parts);
  WordCommands(const WordCommands&) = delete;
  WordCommands& operator=(const WordCommands&) = delete;

 private:
  bool ShowsPdf() const;
  /// The text of the PDF on show (UTF-8, pages separated by form feeds).
  std::string PdfTextOnShow() const;
  void Export();
  void ToggleOption();

  Parts parts_;
};

}  // namespace plume::shell
