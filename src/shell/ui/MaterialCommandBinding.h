#pragma once
// The chart item commands and the store dialogs wired into the main window:
// the item commands of the chart view (context menus, shortcuts, ribbon), the
// material search in both modes, the store content check and the node
// properties.

#include <functional>
#include <memory>

#include "chartview/ItemCommands.h"
#include "convert/PictureServices.h"
#include "platform/FolderOpener.h"
#include "store/MaterialStore.h"

class QTextEdit;
class QWidget;

namespace plume::store::index {
class IndexService;
}
namespace plume::chartview {
class CTesselView;
}

namespace plume::shell {

class CommandRouter;
class DocumentActions;

class MaterialCommandBinding : public chartview::ItemCommandHost {
 public:
  struct Parts {
    QWidget* window = nullptr;
    chartview::CTesselView* view = nullptr;
    CommandRouter* router = nullptr;
    platform::SettingsStore* settings = nullptr;
    DocumentActions* document = nullptr;
    QTextEdit* textArea = nullptr;
    std::function<void(const std::string& utf8Address)> navigate;
    std::function<void()> closeEditor;
    std::function<void()> toggleFullScreen;
    store::MaterialStore* materials = nullptr;  ///< the application's one store; required
    store::index::IndexService* index = nullptr;  ///< the material index; null: searches scan
    convert::PictureServices* pictures = nullptr;  ///< the application's picture codecs; required
  };
  explicit MaterialCommandBinding(Parts parts);
  ~MaterialCommandBinding() override;

  chartview::ItemCommands& Commands() { return *commands_; }
  /// ID_DB_SEARCH and ID_DB_PROP.
  void OpenSearch();
  void OpenContentCheck();
  /// The search dialog showing one material (the "already captured" question's answer).
  void ShowMaterial(store::Serial serial);

  // ItemCommandHost
  platform::Point MenuPoint() override;
  bool InlineEditorOpen() override;
  void CloseInlineEditor() override;
  std::optional<std::string> ClipboardText() override;
  void DeleteMaterial(std::int32_t serial, std::string_view typeWord) override;
  std::optional<std::string> EditText(const std::string& cp932, bool nodeTitle) override;
  void ShowNodeProperties(int index) override;
  void PickMaterials() override;
  void ToggleFullScreen() override;
  void RecordOwner(std::int32_t serial) override;
  std::unique_ptr<platform::Picture> LoadMaterialPicture(std::string_view typeWord, std::int32_t serial,
                                                         document::ColorRef& transColor) override;

 private:
  void Bind();
  /// The search dialog for browsing, showing `serial` when given.
  void Browse(std::optional<store::Serial> serial);

  Parts parts_;
  store::MaterialStore& store_;
  std::unique_ptr<chartview::MaterialAccess> materials_;
  std::unique_ptr<chartview::ItemCommands> commands_;
};

}  // namespace plume::shell
