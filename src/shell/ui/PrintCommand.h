#pragma once
// The print command of the main window (32832): the print dialog over the
// current page, on the printer set up at start-up. The window builds it with
// what it needs and it binds its command.

#include <functional>

class QPrinter;
class QWidget;

namespace plume::chartview {
class CTesselView;
}
namespace plume::document {
class ChartDocument;
}
namespace plume::platform {
class ScratchSurface;
class SettingsStore;
}  // namespace plume::platform

namespace plume::shell {

class CommandRouter;

class PrintCommand {
 public:
  struct Parts {
    CommandRouter& router;
    chartview::CTesselView& view;
    document::ChartDocument& chart;
    platform::SettingsStore& settings;
    platform::ScratchSurface* scratch;  ///< node pictures; null leaves them out
    QWidget* owner;                     ///< the dialog's window
    /// The printer set up at start-up; null (or returning null): printing shows 30082.
    std::function<QPrinter*()> printer;
  };

  /// Binds the print command to `parts.router`.
  explicit PrintCommand(Parts parts);
  PrintCommand(const PrintCommand&) = delete;
  PrintCommand& operator=(const PrintCommand&) = delete;

 private:
  void Run();

  Parts parts_;
};

}  // namespace plume::shell
