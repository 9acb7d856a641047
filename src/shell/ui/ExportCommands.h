#pragma once
// The chart export command group of the main window: the current page or every
// page as one PDF file (tab menu, ribbon) and the current page as an image.
// The window builds it with what it needs and it binds its commands.

#include <functional>
#include <memory>

#include "convert/PdfHelper.h"

class QWidget;

namespace plume::chartview {
class CTesselView;
}
namespace plume::output::ui {
class ExportActions;
}
namespace plume::platform {
class ScratchSurface;
class SettingsStore;
}  // namespace plume::platform

namespace plume::shell {

class CommandRouter;

class ExportCommands {
 public:
  struct Parts {
    CommandRouter& router;
    chartview::CTesselView& view;
    platform::SettingsStore& settings;
    platform::ScratchSurface* scratch;  ///< node pictures; null leaves them out
    QWidget* owner;                     ///< the dialogs' window
    /// Title and address the HTML area shows, for the PDF's information.
    std::function<convert::PdfInfoSource()> pdfInfo;
  };

  /// Binds the four export commands to `parts.router`.
  explicit ExportCommands(Parts parts);
  ~ExportCommands();
  ExportCommands(const ExportCommands&) = delete;
  ExportCommands& operator=(const ExportCommands&) = delete;

 private:
  void Run(int id);

  Parts parts_;
  std::unique_ptr<output::ui::ExportActions> actions_;  ///< made at the first export
};

}  // namespace plume::shell
