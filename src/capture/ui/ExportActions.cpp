#include "capture/ui/ExportActions.h"

#include "capture/ui/QtPageBitmapRenderer.h"
#include "document/ui/QtFileDialogs.h"
#include "store/ui/QtFolderOpener.h"

namespace plume::capture::ui {

ExportActions::ExportActions(chartview::ChartView& view, platform::SettingsStore& settings,
                             platform::ScratchSurface* scratch, QWidget* owner,
                             std::function<PdfInfoSource()> pdfInfo)
    : renderer_(std::make_unique<QtPageBitmapRenderer>(settings)),
      dialogs_(std::make_unique<document::ui::QtFileDialogs>(owner)),
      folders_(std::make_unique<store::QtFolderOpener>()) {
  ChartExportServices services;
  services.renderer = renderer_.get();
  services.dialogs = dialogs_.get();
  services.folders = folders_.get();
  services.pdfInfo = std::move(pdfInfo);
  export_ = std::make_unique<ChartExport>(view, settings, scratch, std::move(services));
}

ExportActions::~ExportActions() = default;

bool ExportActions::Handles(int id) {
  return id == ChartExport::kCmdPagePdf || id == ChartExport::kCmdAllPagesPdf || id == ChartExport::kCmdPdfSave ||
         id == ChartExport::kCmdFileImage;
}

bool ExportActions::RunCommand(int id) { return Handles(id) && export_->RunCommand(id); }

}  // namespace plume::capture::ui
