#include "store/ui/CTView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextCursor>

#include "store/PageText.h"

namespace plume::store {

namespace cmd = text_area_command;

CTView::CTView(QWidget* parent) : QTextEdit(parent) {
  setFont(QFont(QStringLiteral("Meiryo UI"), 10));
}

void CTView::TidyPageText() {
  // The edit separates paragraphs with "\n"; the tidy rule works on CR LF lines.
  QString text = toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  const std::string tidied = store::TidyPageText(text.toStdString());
  setPlainText(QString::fromStdString(tidied).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  moveCursor(QTextCursor::Start);
}

bool CTView::CanRun(int command) const {
  switch (command) {
    case cmd::kCopy:
      return textCursor().hasSelection();
    case cmd::kPaste:
      return !isReadOnly() && canPaste();
    case cmd::kSelectAll:
      return !document()->isEmpty();
    default:
      return false;
  }
}

bool CTView::Run(int command) {
  switch (command) {
    case cmd::kCopy:
      copy();
      return true;
    case cmd::kPaste:
      paste();
      return true;
    case cmd::kSelectAll:
      selectAll();
      return true;
    default:
      return false;
  }
}

QMenu* CTView::BuildContextMenu(QWidget* owner) {
  auto* menu = new QMenu(owner ? owner : this);
  const auto add = [this, menu](int id) {
    const std::string_view caption = commands::Caption(id, commands::CaptionPlace::TextMenu);
    QAction* action = menu->addAction(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    action->setData(id);
    action->setEnabled(commandEnabled ? commandEnabled(id) : (id == cmd::kSearch || CanRun(id)));
    connect(action, &QAction::triggered, this, [this, id] {
      if (runCommand) {
        runCommand(id);
      } else {
        Run(id);
      }
    });
  };
  add(cmd::kCopy);
  add(cmd::kPaste);
  menu->addSeparator();
  add(cmd::kSelectAll);
  menu->addSeparator();
  add(cmd::kSearch);
  return menu;
}

void CTView::contextMenuEvent(QContextMenuEvent* event) {
  // A mouse-made menu opens on button release; the menu key opens it at the caret.
  if (event->reason() != QContextMenuEvent::Mouse) ShowContextMenu(viewport()->mapToGlobal(cursorRect().center()));
  event->accept();
}

void CTView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    ShowContextMenu(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QTextEdit::mouseReleaseEvent(event);
}

void CTView::ShowContextMenu(const QPoint& globalPos) {
  QMenu* menu = BuildContextMenu(window());
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

}  // namespace plume::store
