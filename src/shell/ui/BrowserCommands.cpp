// The main frame's side of the HTML area: the page's text into the text area,
// the status text into the pane "URL", the page type onto the ribbon and into
// the chart view's menu, and the ribbon's web search with its four kinds.
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include "chartview/ui/CTesselView.h"
#include "platform/SettingsTable.h"
#include "shell/HtmlAreaController.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

void CMainFrame::BindBrowserCommands() {
  htmlArea_->textAreaText = [this](const QString& text) {
    // Plain text, never through the clipboard.
    textArea_->setPlainText(text);
    textArea_->moveCursor(QTextCursor::Start);
    textArea_->ensureCursorVisible();
  };
  htmlArea_->statusPane = [this](const QString& text) { panes_[120]->setText(text); };
  htmlArea_->pageTypeShown = [this](const QString& type) { ribbon_->SetPageType(type); };


  CommandRouter& r = *router_;
  auto searchField = [this] { return qobject_cast<QLineEdit*>(ribbon_->Element(commands::Id(commands::CommandId::ID_EDIT3))); };
  r.Handle(
      CommandId::ID_BUTTON7,
      [this, searchField] {
        htmlArea_->Controller().WebSearch(searchField()->text().toStdString(),
                                          static_cast<SearchKind>(services_.docType));
      },
      [searchField] { return CommandState{searchField() != nullptr, false}; });
  const CommandId kinds[] = {CommandId::ID_BUTTON8, CommandId::ID_BUTTON9, CommandId::ID_BUTTON10,
                             CommandId::ID_BUTTON11};
  for (int kind = 0; kind < 4; ++kind) {
    r.Handle(
        kinds[kind], [this, kind] { services_.docType = kind; },
        [this, kind] { return CommandState{true, services_.docType == kind}; });
  }
}

}  // namespace plume::shell
