#include "shell/ui/PrintCommand.h"

#include <QPrinter>

#include "chartview/ui/CTesselView.h"
#include "commands/CommandTable.h"
#include "output/ui/CInsatuDlg.h"
#include "output/ui/ChartPagePaint.h"
#include "platform/Messages.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

namespace {
/// The resolution chart pages are printed at.
constexpr int kPrintDpi = 300;
}  // namespace

PrintCommand::PrintCommand(Parts parts) : parts_(std::move(parts)) {
  parts_.router.Handle(commands::CommandId::ID_INSATU, [this] { Run(); });
}

void PrintCommand::Run() {
  QPrinter* printer = parts_.printer ? parts_.printer() : nullptr;
  if (printer == nullptr) {
    // No default printer at start-up: said now, when printing is asked for.
    platform::ShowMessage(platform::StringId::PrinterInitFailed, {}, platform::MsgIcon::Error);
    return;
  }
  document::ChartDocument& chart = parts_.chart;
  if (chart.header.pageCount < 1) return;
  printer->setResolution(kPrintDpi);
  const document::PageRecord& page = chart.CurrentPage();
  output::ui::CInsatuDlg dialog(*printer, parts_.settings, {page.pageWidth, page.pageHeight},
                               output::ui::ChartPagePaint(chart, chart.header.currentPage, parts_.settings,
                                                         parts_.scratch),
                               parts_.owner);
  dialog.exec();
  parts_.view.Repaint(false);
}

}  // namespace plume::shell
