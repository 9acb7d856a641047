// The chart view's commands in the frame and the view's connections to the
// document: undo (the quick access button and Ctrl+Z) and the materials of a
// deleted page.
#include "chartview/ui/CTesselView.h"
#include "document/ui/CUnderBar.h"
#include "platform/Cp932.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "store/MaterialStore.h"

namespace plume::shell {

void CMainFrame::BindViewCommands() {
  CommandRouter& r = *router_;
  // Ctrl+Z comes with the command's row of the command table (the frame's keys).
  // The record is dropped by a new node, a new slip and a page deletion; the
  // paste and the deletion of items drop it too when they are built.
  r.Handle(
      CommandId::ID_UNDO, [this] { chartView_->View().Undo(); },
      [this] { return CommandState{chartView_->View().CanUndo(), false}; });

  // Deleting a page with "はい" deletes the materials of its nodes from the store.
  store::MaterialStore* materials = services_.materials;
  tabBar_->deleteMaterial = [materials](const document::NodeRecord& node) {
    if (materials) materials->DeleteMaterial(node.serial, platform::FieldText(node.dataType));
  };

  // tabBar_->clearItemClipboard is connected by the item clipboard (copy and
  // paste of nodes and slips) when it is built; until then there is none to empty.
}

}  // namespace plume::shell
