#include "shell/ui/ViewCommands.h"

#include <QAction>

#include "chartview/ui/CTesselView.h"
#include "document/ui/CUnderBar.h"
#include "platform/Cp932.h"
#include "shell/RibbonTooltips.h"
#include "shell/ui/CommandRouter.h"
#include "store/MaterialStore.h"

namespace plume::shell {

ViewCommands::ViewCommands(Parts parts) : parts_(parts) {
  CommandRouter& r = parts_.router;
  // The keys come with the commands' rows of the command table (the frame's
  // keys); each button's tooltip names the step it would take.
  auto state = [this](bool back) {
    const chartview::ChartView& view = parts_.view.View();
    const bool can = back ? view.CanUndo() : view.CanRedo();
    const document::EditHistory& history = parts_.chart.History();
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

  // Deleting a page with "はい" deletes the materials of its nodes from the store.
  store::MaterialStore* materials = parts_.materials;
  parts_.tabBar.deleteMaterial = [materials](const document::NodeRecord& node) {
    if (materials) materials->DeleteMaterial(node.serial, platform::FieldText(node.dataType));
  };

  // The tab bar's clearItemClipboard is connected by the item clipboard (copy
  // and paste of nodes and slips) when it is built; until then there is none to empty.
}

void ViewCommands::StepHistory(bool back) {
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
