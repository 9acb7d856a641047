#pragma once
// Turns the command table into QActions and routes each command to its
// handler. A command's enabled and checked state comes from its update
// handler every time Refresh runs; a command without a handler is disabled.

#include <QObject>

#include <functional>
#include <map>
#include <vector>

#include "shell/CommandTable.h"

class QAction;
class QKeyEvent;
class QWidget;

namespace plume::shell {

struct CommandState {
  bool enabled = true;
  bool checked = false;
};

class CommandRouter : public QObject {
  Q_OBJECT
 public:
  /// Shortcuts of the frame's commands are installed on `window`.
  explicit CommandRouter(QWidget* window);

  /// The action of `id` (created on first use, caption from the table).
  QAction* Action(int id);
  QAction* Action(CommandId id) { return Action(static_cast<int>(id)); }
  /// Sets the handler of `id`; `update` (optional) gives its state.
  void Handle(int id, std::function<void()> run, std::function<CommandState()> update = {});
  void Handle(CommandId id, std::function<void()> run, std::function<CommandState()> update = {}) {
    Handle(static_cast<int>(id), std::move(run), std::move(update));
  }
  /// The state the update handler gives now (disabled without a handler).
  CommandState State(int id) const;
  /// Runs the command when it is enabled; false otherwise.
  bool Trigger(int id);
  /// Applies every update handler to the actions and the registered widgets.
  void Refresh();
  /// A widget whose enabled state follows command `id` (ribbon fields).
  void Follow(int id, QWidget* widget);
  /// Commands for which `refused` answers true are disabled whatever their
  /// update handler says (the ones a running job must not meet).
  void SetRefusal(std::function<bool(int id)> refused) { refused_ = std::move(refused); }
  /// Lets the focused widget keep a key that is also a command's shortcut
  /// when `claim` says so (the chart view's Ctrl+arrow nudge).
  void SetKeyClaim(std::function<bool(QWidget* focus, const QKeyEvent& key)> claim) { claim_ = std::move(claim); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QAction* action = nullptr;
    std::function<void()> run;
    std::function<CommandState()> update;
  };
  QWidget* window_;
  std::map<int, Entry> entries_;
  std::vector<std::pair<int, QWidget*>> followers_;
  std::function<bool(int id)> refused_;
  std::function<bool(QWidget*, const QKeyEvent&)> claim_;
};

}  // namespace plume::shell
