// The print command of the main frame (32832): the print dialog over the
// current page, with the printer set up at start-up.

#include <QPrinter>

#include "chartview/ui/CTesselView.h"
#include "platform/Messages.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "output/ui/CInsatuDlg.h"
#include "output/ui/ChartPagePaint.h"

namespace plume::shell {

namespace {
/// The resolution chart pages are printed at.
constexpr int kPrintDpi = 300;
}  // namespace

void CMainFrame::BindPrintCommands() {
  router_->Handle(CommandId::ID_INSATU, [this] {
    QPrinter* printer = services_.printer ? services_.printer() : nullptr;
    if (printer == nullptr) {
      // No default printer at start-up: said now, when printing is asked for.
      platform::ShowMessage(platform::StringId::PrinterInitFailed, {}, platform::MsgIcon::Error);
      return;
    }
    document::ChartDocument& chart = *services_.chart;
    if (chart.header.pageCount < 1) return;
    printer->setResolution(kPrintDpi);
    const document::PageRecord& page = chart.CurrentPage();
    output::ui::CInsatuDlg dialog(*printer, *services_.store, {page.pageWidth, page.pageHeight},
                                 output::ui::ChartPagePaint(chart, chart.header.currentPage, *services_.store,
                                                           services_.scratch),
                                 this);
    dialog.exec();
    chartView_->Repaint(false);
  });
}

}  // namespace plume::shell
