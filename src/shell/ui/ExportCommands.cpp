#include "shell/ui/ExportCommands.h"

#include "chartview/ui/CTesselView.h"
#include "commands/CommandTable.h"
#include "output/ui/ExportActions.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

using commands::CommandId;

ExportCommands::ExportCommands(Parts parts) : parts_(std::move(parts)) {
  for (const CommandId id : {CommandId::ID_PAGE_PDF, CommandId::ID_PAGE_ALL_PDF, CommandId::ID_PDF_SAVE,
                             CommandId::ID_FILE_IMAGE2})
    parts_.router.Handle(id, [this, id] { Run(commands::Id(id)); });
}

ExportCommands::~ExportCommands() = default;

void ExportCommands::Run(int id) {
  if (!actions_)
    actions_ = std::make_unique<output::ui::ExportActions>(parts_.view.View(), parts_.settings, parts_.scratch,
                                                           parts_.owner, parts_.pdfInfo);
  actions_->RunCommand(id);
  parts_.view.Repaint(false);
}

}  // namespace plume::shell
