#include "shell/ui/HistoryCommands.h"

#include <QAction>

#include "chartview/ui/CTesselView.h"
#include "document/ui/CUnderBar.h"
#include "shell/RibbonTooltips.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

HistoryCommands::HistoryCommands(Parts parts) : parts_(parts) {
  CommandRouter& r = parts_.router;
  // The keys come with the commands' rows of the command table (the frame's
  // keys); each button's tooltip names the step it would take.
  auto state = [this](bool back) {
    chartview::ChartView& view = parts_.view.View();
    const bool can = back ? view.CanUndo() : view.CanRedo();
    const document::EditHistory& history = view.Document().History();
    const auto step = back ? history.NextUndo() : history.NextRedo();
    const int id = static_cast<int>(back ? CommandId::ID_UNDO : CommandId::ID_REDO);
    const std::string caption = !can || !step ? std::string()
                                : back        ? document::UndoCaption(*step)
                                              : document::RedoCaption(*step);
    parts_.router.Action(id)->setToolTip(QString::fromStdString(HistoryTooltip(id, caption)));
    return CommandState{can, false};
  };
  r.Handle(CommandId::ID_UNDO, [this] { StepHistory(true); }, [state] { return state(true); });
  r.Handle(CommandId::ID_REDO, [this] { StepHistory(false); }, [state] { return state(false); });
}

void HistoryCommands::StepHistory(bool back) {
  chartview::ChartView& view = parts_.view.View();
  const std::uint16_t shown = view.Document().CurrentPage().pageId;
  if (!(back ? view.Undo() : view.Redo())) return;
  // Pages may have come, gone, moved or been renamed.
  parts_.tabBar.Tabs()->Rebuild();
  parts_.tabBar.Sync();
  if (view.Document().CurrentPage().pageId != shown)
    parts_.view.ShowCurrentPage();
  else
    parts_.view.SetScrollExtent(view.ScrollExtent());
  parts_.router.Refresh();
}

}  // namespace plume::shell
