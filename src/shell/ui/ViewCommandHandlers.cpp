// The chart view's commands in the frame and the view's connections to the
// document: undo and redo (the quick access buttons, Ctrl+Z, Ctrl+Y and
// Ctrl+Shift+Z) and the materials of a deleted page.
#include <QAction>

#include "chartview/ui/CTesselView.h"
#include "document/ui/CUnderBar.h"
#include "platform/Cp932.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "shell/RibbonTooltips.h"
#include "store/MaterialStore.h"

namespace plume::shell {

void CMainFrame::BindViewCommands() {
  CommandRouter& r = *router_;
  // The keys come with the commands' rows of the command table (the frame's
  // keys); each button's tooltip names the step it would take.
  auto state = [this](bool back) {
    const chartview::ChartView& view = chartView_->View();
    const bool can = back ? view.CanUndo() : view.CanRedo();
    const document::EditHistory& history = services_.chart->History();
    const auto step = back ? history.NextUndo() : history.NextRedo();
    const int id = static_cast<int>(back ? CommandId::ID_UNDO : CommandId::ID_REDO);
    const std::string caption = !can || !step ? std::string()
                                : back        ? document::UndoCaption(*step)
                                              : document::RedoCaption(*step);
    router_->Action(id)->setToolTip(QString::fromStdString(HistoryTooltip(id, caption)));
    return CommandState{can, false};
  };
  r.Handle(CommandId::ID_UNDO, [this] { StepHistory(true); }, [state] { return state(true); });
  r.Handle(CommandId::ID_REDO, [this] { StepHistory(false); }, [state] { return state(false); });

  // Deleting a page with "はい" deletes the materials of its nodes from the store.
  store::MaterialStore* materials = services_.materials;
  tabBar_->deleteMaterial = [materials](const document::NodeRecord& node) {
    if (materials) materials->DeleteMaterial(node.serial, platform::FieldText(node.dataType));
  };

  // tabBar_->clearItemClipboard is connected by the item clipboard (copy and
  // paste of nodes and slips) when it is built; until then there is none to empty.
}

void CMainFrame::StepHistory(bool back) {
  chartview::ChartView& view = chartView_->View();
  const std::uint16_t shown = view.Document().CurrentPage().pageId;
  if (!(back ? view.Undo() : view.Redo())) return;
  // Pages may have come, gone, moved or been renamed.
  tabBar_->Tabs()->Rebuild();
  tabBar_->Sync();
  if (view.Document().CurrentPage().pageId != shown)
    chartView_->ShowCurrentPage();
  else
    chartView_->SetScrollExtent(view.ScrollExtent());
  router_->Refresh();
}

}  // namespace plume::shell
