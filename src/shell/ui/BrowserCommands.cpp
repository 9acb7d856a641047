#include "shell/ui/BrowserCommands.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include "shell/HtmlAreaController.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

BrowserCommands::BrowserCommands(Parts parts) : parts_(parts) {
  QTextEdit& textArea = parts_.textArea;
  parts_.htmlArea.textAreaText = [&textArea](const QString& text) {
    // Plain text, never through the clipboard.
    textArea.setPlainText(text);
    textArea.moveCursor(QTextCursor::Start);
    textArea.ensureCursorVisible();
  };
  QLabel& urlPane = parts_.urlPane;
  parts_.htmlArea.statusPane = [&urlPane](const QString& text) { urlPane.setText(text); };
  CMyRibbonBar& ribbon = parts_.ribbon;
  parts_.htmlArea.pageTypeShown = [&ribbon](const QString& type) { ribbon.SetPageType(type); };

  CommandRouter& r = parts_.router;
  auto searchField = [&ribbon] {
    return qobject_cast<QLineEdit*>(ribbon.Element(commands::Id(commands::CommandId::ID_EDIT3)));
  };
  r.Handle(
      CommandId::ID_BUTTON7,
      [this, searchField] {
        parts_.htmlArea.Controller().WebSearch(searchField()->text().toStdString(),
                                               static_cast<SearchKind>(parts_.searchKind));
      },
      [searchField] { return CommandState{searchField() != nullptr, false}; });
  const CommandId kinds[] = {CommandId::ID_BUTTON8, CommandId::ID_BUTTON9, CommandId::ID_BUTTON10,
                             CommandId::ID_BUTTON11};
  for (int kind = 0; kind < 4; ++kind) {
    r.Handle(
        kinds[kind], [this, kind] { parts_.searchKind = kind; },
        [this, kind] { return CommandState{true, parts_.searchKind == kind}; });
  }
}

}  // namespace plume::shell
