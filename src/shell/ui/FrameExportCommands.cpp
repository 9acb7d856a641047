// The chart export commands of the main frame: the current page or every page
// as one PDF file (tab menu, ribbon) and the current page as an image.

#include "output/ui/ExportActions.h"
#include "chartview/ui/CTesselView.h"
#include "platform/Cp932.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/CHView.h"

namespace plume::shell {

void CMainFrame::BindExportCommands() {
  for (int id : {static_cast<int>(CommandId::ID_PAGE_PDF), static_cast<int>(CommandId::ID_PAGE_ALL_PDF),
                 static_cast<int>(CommandId::ID_PDF_SAVE), static_cast<int>(CommandId::ID_FILE_IMAGE2)}) {
    router_->Handle(id, [this, id] {
      if (!export_) {
        // The title and address of the page in the HTML area become the PDF's information.
        auto info = [this] {
          convert::PdfInfoSource source;
          if (htmlArea_) {
            source.title = platform::Utf8ToCp932(htmlArea_->GetPageTitle());
            source.address = platform::Utf8ToCp932(htmlArea_->GetLocation());
          }
          return source;
        };
        export_ = std::make_unique<output::ui::ExportActions>(chartView_->View(), *services_.store,
                                                               services_.scratch, this, info);
      }
      export_->RunCommand(id);
      chartView_->Repaint(false);
    });
  }
}

}  // namespace plume::shell
