#pragma once
// The one way the program talks to the user: a message box with an icon, a
// button set and a caption. The program shows a QMessageBox; tests script it.

#include <string>

namespace plume::platform {

enum class MsgIcon { None, Error, Warning, Question, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

/// Opaque handle of the window that owns a message box (nullptr: the main window).
using WindowRef = const void*;

/// Everything a sink needs to show one message. Texts are UTF-8.
struct MessageRequest {
  int id = 0;             ///< string table id (0 for a message without one)
  std::string caption;    ///< always the application title
  std::string prefix;     ///< lines shown above the text ("%d > %d\n", a path, a tag line)
  std::string text;       ///< the string table text
  MsgIcon icon = MsgIcon::Error;
  MsgButtons buttons = MsgButtons::Ok;
  WindowRef owner = nullptr;

  /// Prefix and text as one block, as the message box shows them.
  std::string FullText() const { return prefix + text; }
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  /// Shows the message and returns the button pressed.
  virtual MsgResult Show(const MessageRequest& request) = 0;
};

}  // namespace plume::platform
