#pragma once
// The pieces the main frame plugs into its chart view: the zoom console, the
// in-place editor with item, page and dial sizing, and the store-backed
// material lookups the editor's double click needs. Built once the view
// exists; unplugs itself before it goes.

#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chartview/ControllerHost.h"
#include "chartview/MaterialAccess.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {
class CMyEdit;
class CTesselView;
class EditingController;
class ZoomConsole;
}  // namespace plume::chartview
namespace plume::store {
class MaterialStore;
class SettingsSheetOpener;
}
namespace plume::convert {
struct PictureServices;
namespace ui {
class NodeImageCommand;
}
}  // namespace plume::convert

namespace plume::shell {

class ChartViewParts {
 public:
  /// `openAddress` shows an address in the HTML area (UTF-8); `materials`
  /// is the application's store and `pictures` its picture codecs; both must
  /// outlive the parts.
  ChartViewParts(chartview::CTesselView& view, platform::SettingsStore& settings, store::MaterialStore& materials,
                 convert::PictureServices& pictures,
                 std::function<void(const std::string& address)> openAddress);
  ~ChartViewParts();
  ChartViewParts(const ChartViewParts&) = delete;
  ChartViewParts& operator=(const ChartViewParts&) = delete;

  /// Null when the console pictures could not be made (message already shown).
  chartview::ZoomConsole* Console() { return console_.get(); }
  /// Writes what the parts keep between runs (the console position).
  void SaveState();
  /// Closes an open in-place editor without storing it (before items are deleted).
  void CloseEditorForDelete();

 private:
  class ConsoleAdapter;

  QPointer<chartview::CTesselView> view_;
  std::vector<QMetaObject::Connection> scrollConnections_;
  std::unique_ptr<chartview::MaterialAccess> materials_;
  std::unique_ptr<convert::ui::NodeImageCommand> nodeImage_;
  std::unique_ptr<ConsoleAdapter> consoleHost_;
  std::unique_ptr<chartview::ZoomConsole> console_;
  std::unique_ptr<chartview::EditingController> editing_;
};

}  // namespace plume::shell
