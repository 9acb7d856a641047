// The text area's context menu commands: copy, paste and select all act on
// the text area; the text search opens its dialog over it.
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "store/ui/CSearchDlg.h"
#include "store/ui/CTView.h"

namespace plume::shell {

void CMainFrame::BindTextAreaCommands() {
  auto* view = qobject_cast<store::CTView*>(textArea_);
  if (!view) return;
  namespace cmd = store::text_area_command;
  CommandRouter& r = *router_;
  r.Handle(cmd::kCopy, [view] { view->Run(cmd::kCopy); }, [view] { return CommandState{view->CanRun(cmd::kCopy)}; });
  r.Handle(cmd::kSelectAll, [view] { view->Run(cmd::kSelectAll); },
           [view] { return CommandState{view->CanRun(cmd::kSelectAll)}; });
  // The idle refresh must not ask the clipboard four times a second; the
  // menu asks it when it opens.
  r.Handle(cmd::kPaste, [view] { view->Run(cmd::kPaste); }, [view] { return CommandState{!view->isReadOnly()}; });
  r.Handle(cmd::kSearch, [this, view] { store::CSearchDlg(*services_.store, *view, this).exec(); });
  view->runCommand = [this](int id) { router_->Trigger(id); };
  view->commandEnabled = [this, view](int id) {
    return router_->State(id).enabled && (id != cmd::kPaste || view->CanRun(cmd::kPaste));
  };
}

}  // namespace plume::shell
