#include "shell/ui/CommandRouter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "shell/CommandCaption.h"

namespace plume::shell {

CommandRouter::CommandRouter(QWidget* window) : QObject(window), window_(window) {
  // The frame's keys are translated before the focused window handles them:
  // a text field must not keep Ctrl+Left or F11 to itself.
  qApp->installEventFilter(this);
}

QAction* CommandRouter::Action(int id) {
  Entry& entry = entries_[id];
  if (entry.action) return entry.action;
  const CommandInfo* info = FindCommand(id);
  entry.action = new QAction(info ? QString::fromUtf8(info->caption.data(), info->caption.size()) : QString(), this);
  entry.action->setData(id);
  entry.action->setEnabled(false);
  if (info && InFrameKeyTable(info->owner)) {
    QList<QKeySequence> keys;
    for (auto key : SplitShortcuts(info->shortcuts)) keys.push_back(QKeySequence(QString::fromUtf8(key.data(), key.size())));
    if (!keys.isEmpty()) {
      entry.action->setShortcuts(keys);
      entry.action->setShortcutContext(Qt::WindowShortcut);
      // "均等表示(Ctrl+↑)" already shows its key; the menu leaves out its own.
      if (CaptionNamesItsShortcut(info->caption)) entry.action->setShortcutVisibleInContextMenu(false);
      window_->addAction(entry.action);
    }
  }
  connect(entry.action, &QAction::triggered, this, [this, id] { Trigger(id); });
  return entry.action;
}

void CommandRouter::Handle(int id, std::function<void()> run, std::function<CommandState()> update) {
  Action(id);
  Entry& entry = entries_[id];
  entry.run = std::move(run);
  entry.update = std::move(update);
}

CommandState CommandRouter::State(int id) const {
  const auto it = entries_.find(id);
  if (it == entries_.end() || !it->second.run) return {false, false};
  if (refused_ && refused_(id)) return {false, false};
  return it->second.update ? it->second.update() : CommandState{};
}

bool CommandRouter::Trigger(int id) {
  if (!State(id).enabled) return false;
  // Copy: a handler may replace its own entry.
  const auto run = entries_[id].run;
  run();
  Refresh();
  return true;
}

void CommandRouter::Refresh() {
  for (auto& [id, entry] : entries_) {
    const CommandState state = State(id);
    entry.action->setEnabled(state.enabled);
    if (entry.action->isCheckable()) entry.action->setChecked(state.checked);
  }
  for (auto& [id, widget] : followers_) widget->setEnabled(State(id).enabled);
}

void CommandRouter::Follow(int id, QWidget* widget) {
  Action(id);
  followers_.emplace_back(id, widget);
  widget->setEnabled(State(id).enabled);
}

bool CommandRouter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (claim_ && claim_(widget, *key)) {
    event->accept();  // the key goes to the widget as a key press
    return true;
  }
  const QKeySequence pressed(key->keyCombination());
  for (const auto& [id, entry] : entries_) {
    if (!entry.action || !entry.action->shortcuts().contains(pressed)) continue;
    // Left unaccepted, the key goes to the frame's shortcut instead of the widget.
    event->ignore();
    return true;
  }
  return false;
}

}  // namespace plume::shell
