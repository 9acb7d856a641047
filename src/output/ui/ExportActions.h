#pragma once
// The export commands as the main frame calls them: PDF of the current page
// or of all pages (32866, 32867, 32833) and the current page as an image
// (397), with the system's file chooser and file manager, and a progress
// dialog with Cancel while all pages are written as one PDF.

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <functional>
#include <memory>

#include "output/ChartExport.h"

namespace plume::document::ui {
class QtFileDialogs;
}
namespace plume::platform {
class QtFolderOpener;
}

namespace plume::output::ui {

class QtPageBitmapRenderer;

class ExportActions {
 public:
  /// `owner` parents the file chooser; `pdfInfo` gives the title and address
  /// the HTML area shows (empty when null). Everything passed must outlive this.
  ExportActions(chartview::ChartView& view, platform::SettingsStore& settings, platform::ScratchSurface* scratch,
                QWidget* owner, std::function<convert::PdfInfoSource()> pdfInfo = {});
  ~ExportActions();
  ExportActions(const ExportActions&) = delete;
  ExportActions& operator=(const ExportActions&) = delete;

  /// Whether `id` is one of the export commands (all of them always enabled).
  static bool Handles(int id);
  /// Runs export command `id`; false for any other id.
  bool RunCommand(int id);

  ChartExport& Export() { return *export_; }
  /// The progress dialog of an all-pages PDF export while it runs (its
  /// Cancel stops the export before the next page); null otherwise.
  QProgressDialog* ProgressDialog() const { return progress_.get(); }

 private:
  bool Progress(QWidget* owner, int done, int total);

  std::unique_ptr<QtPageBitmapRenderer> renderer_;
  std::unique_ptr<document::ui::QtFileDialogs> dialogs_;
  std::unique_ptr<platform::QtFolderOpener> folders_;
  std::unique_ptr<ChartExport> export_;
  std::unique_ptr<QProgressDialog> progress_;
};

}  // namespace plume::output::ui
