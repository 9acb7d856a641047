// The frame's style and alignment commands: the ribbon panels テキスト,
// 配置・余白, 背景色・線・角 and 位置・サイズ, and the chart view's menu
// commands for style defaults, transparent colours and the view properties.
#include <QAction>

#include "chartview/AlignCommands.h"
#include "chartview/StyleCommands.h"
#include "chartview/ui/CPropertyView.h"
#include "chartview/ui/CTesselView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/StyleControls.h"

namespace plume::shell {

namespace {
constexpr int kViewProperties = commands::Id(commands::CommandId::ID_VIEW_PROPERTY);
}  // namespace

void CMainFrame::BindStyleCommands() {
  auto* controls = new StyleControls(*services_.chart, *services_.store, *chartView_, *ribbon_, *router_, this);
  CommandRouter& r = *router_;
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
  chartView_->AddViewCommand(chartview::StyleCommands::kStoreNodeDefault,
                             [controls] { controls->Styles().StoreDefault(controls->Store(), Section::Node); });
  chartView_->AddViewCommand(chartview::StyleCommands::kStoreSlipDefault,
                             [controls] { controls->Styles().StoreDefault(controls->Store(), Section::Slip); });
  for (int id : {chartview::StyleCommands::kTransBlack, chartview::StyleCommands::kTransWhite,
                 chartview::StyleCommands::kTransRed, chartview::StyleCommands::kTransGreen,
                 chartview::StyleCommands::kTransBlue, chartview::StyleCommands::kTransOff}) {
    chartView_->AddViewCommand(id, [controls, id] { controls->Styles().SetTransparentColour(id); });
  }
  chartView_->AddViewCommand(kViewProperties, [this] {
    chartview::ChartView& view = chartView_->View();
    if (!chartview::CPropertyView::EditPage(*services_.chart, view.Zoom(), this)) return;
    chartView_->SetScrollExtent(view.ScrollExtent());
    view.RequestRepaint();
    view.Document().CommitEdit(document::EditStep::PageSize);
  });
  controls->RefreshStyleControls();
}

}  // namespace plume::shell
