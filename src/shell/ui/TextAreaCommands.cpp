#include "shell/ui/TextAreaCommands.h"

#include "shell/ui/CommandRouter.h"
#include "store/ui/CSearchDlg.h"
#include "store/ui/CTView.h"

namespace plume::shell {

TextAreaCommands::TextAreaCommands(Parts parts) : parts_(parts) {
  auto* view = qobject_cast<store::CTView*>(parts_.textArea);
  if (!view) return;
  namespace cmd = store::text_area_command;
  CommandRouter& r = parts_.router;
  r.Handle(cmd::kCopy, [view] { view->Run(cmd::kCopy); }, [view] { return CommandState{view->CanRun(cmd::kCopy)}; });
  r.Handle(cmd::kSelectAll, [view] { view->Run(cmd::kSelectAll); },
           [view] { return CommandState{view->CanRun(cmd::kSelectAll)}; });
  // The idle refresh must not ask the clipboard four times a second; the
  // menu asks it when it opens.
  r.Handle(cmd::kPaste, [view] { view->Run(cmd::kPaste); }, [view] { return CommandState{!view->isReadOnly()}; });
  r.Handle(cmd::kSearch, [this, view] { store::CSearchDlg(parts_.settings, *view, parts_.owner).exec(); });
  view->runCommand = [&r](int id) { r.Trigger(id); };
  view->commandEnabled = [&r, view](int id) {
    return r.State(id).enabled && (id != cmd::kPaste || view->CanRun(cmd::kPaste));
  };
}

}  // namespace plume::shell
