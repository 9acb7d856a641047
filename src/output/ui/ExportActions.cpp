#include "output/ui/ExportActions.h"

#include <QCoreApplication>

#include "output/ui/QtPageBitmapRenderer.h"
#include "document/ui/QtFileDialogs.h"
#include "platform/qt/QtFolderOpener.h"

namespace plume::output::ui {

ExportActions::ExportActions(chartview::ChartView& view, platform::SettingsStore& settings,
                             platform::ScratchSurface* scratch, QWidget* owner,
                             std::function<convert::PdfInfoSource()> pdfInfo)
    : renderer_(std::make_unique<QtPageBitmapRenderer>(settings)),
      dialogs_(std::make_unique<document::ui::QtFileDialogs>(owner)),
      folders_(std::make_unique<platform::QtFolderOpener>()) {
  ChartExportServices services;
  services.renderer = renderer_.get();
  services.dialogs = dialogs_.get();
  services.folders = folders_.get();
  services.pdfInfo = std::move(pdfInfo);
  services.progress = [this, owner](int done, int total) { return Progress(owner, done, total); };
  export_ = std::make_unique<ChartExport>(view, settings, scratch, std::move(services));
}

ExportActions::~ExportActions() = default;

bool ExportActions::Handles(int id) {
  return id == ChartExport::kCmdPagePdf || id == ChartExport::kCmdAllPagesPdf || id == ChartExport::kCmdPdfSave ||
         id == ChartExport::kCmdFileImage;
}

bool ExportActions::RunCommand(int id) {
  const bool handled = Handles(id) && export_->RunCommand(id);
  progress_.reset();  // also after an export that failed part way
  return handled;
}

bool ExportActions::Progress(QWidget* owner, int done, int total) {
  if (done == 0) {
    progress_ = std::make_unique<QProgressDialog>(QStringLiteral("PDFファイルを作成しています..."),
                                                  QStringLiteral("キャンセル"), 0, total, owner);
    progress_->setWindowTitle(QStringLiteral("Plumeboard"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(500);
  }
  if (!progress_) return true;
  progress_->setValue(done);
  QCoreApplication::processEvents();
  const bool cancelled = progress_->wasCanceled();
  if (cancelled || done == total) progress_.reset();
  return !cancelled;
}

}  // namespace plume::output::ui
