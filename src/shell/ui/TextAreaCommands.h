#pragma once
// The text area's context menu commands: copy, paste and select all act on
// the text area; the text search opens its dialog over it. The window builds
// it with what it needs and it binds its commands.

class QTextEdit;
class QWidget;

namespace plume::platform {
class SettingsStore;
}

namespace plume::shell {

class CommandRouter;

class TextAreaCommands {
 public:
  struct Parts {
    CommandRouter& router;
    QTextEdit* textArea;               ///< anything but the store's text view: no commands
    platform::SettingsStore& settings;  ///< the text search's settings
    QWidget* owner;                    ///< the search dialog's window
  };

  /// Binds the four commands to `parts.router` and the text area's menu to the router.
  explicit TextAreaCommands(Parts parts);
  TextAreaCommands(const TextAreaCommands&) = delete;
  TextAreaCommands& operator=(const TextAreaCommands&) = delete;

 private:
  Parts parts_;
};

}  // namespace plume::shell
