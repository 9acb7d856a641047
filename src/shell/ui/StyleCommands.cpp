#include "shell/ui/StyleCommands.h"

#include <QAction>

#include "chartview/AlignCommands.h"
#include "chartview/StyleCommands.h"
#include "chartview/ui/CPropertyView.h"
#include "chartview/ui/CTesselView.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/StyleControls.h"

namespace plume::shell {

namespace {
constexpr int kViewProperties = commands::Id(commands::CommandId::ID_VIEW_PROPERTY);
}  // namespace

StyleCommands::StyleCommands(Parts parts) : parts_(parts) {
  auto* controls = new StyleControls(parts_.view.View().Document(), parts_.settings, parts_.view, parts_.ribbon,
                                     parts_.router, parts_.owner);
  CommandRouter& r = parts_.router;
  chartview::StyleCommands& styles = controls->Styles();
  for (int id : chartview::StyleCommands::RibbonCommandIds()) {
    r.Handle(
        id,
        [controls, &styles, id] {
          controls->ReadTexts();
          styles.Run(id);
        },
        [&styles, id] {
          const chartview::StyleCommandState s = styles.State(id);
          return CommandState{s.enabled, s.checked};
        });
  }
  chartview::AlignCommands& align = controls->Align();
  for (int id : chartview::AlignCommands::CommandIds()) {
    const chartview::AlignOp op = *chartview::AlignCommands::OpFor(id);
    r.Handle(id, [&align, op] { align.Run(op); }, [&align, op] { return CommandState{align.Enabled(op), false}; });
  }

  // The chart view's menu commands, enabled by the menus' own rules.
  using Section = platform::settings::StyleSection;
  chartview::CTesselView& view = parts_.view;
  view.AddViewCommand(chartview::StyleCommands::kStoreNodeDefault,
                      [controls] { controls->Styles().StoreDefault(controls->Store(), Section::Node); });
  view.AddViewCommand(chartview::StyleCommands::kStoreSlipDefault,
                      [controls] { controls->Styles().StoreDefault(controls->Store(), Section::Slip); });
  for (int id : {chartview::StyleCommands::kTransBlack, chartview::StyleCommands::kTransWhite,
                 chartview::StyleCommands::kTransRed, chartview::StyleCommands::kTransGreen,
                 chartview::StyleCommands::kTransBlue, chartview::StyleCommands::kTransOff}) {
    view.AddViewCommand(id, [controls, id] { controls->Styles().SetTransparentColour(id); });
  }
  view.AddViewCommand(kViewProperties, [this] { EditViewProperties(); });
  controls->RefreshStyleControls();
}

void StyleCommands::EditViewProperties() {
  chartview::ChartView& view = parts_.view.View();
  if (!chartview::CPropertyView::EditPage(view.Document(), view.Zoom(), parts_.owner)) return;
  parts_.view.SetScrollExtent(view.ScrollExtent());
  view.RequestRepaint();
  view.Document().CommitEdit(document::EditStep::PageSize);
}

}  // namespace plume::shell
