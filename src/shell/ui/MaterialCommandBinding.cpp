#include "shell/ui/MaterialCommandBinding.h"

#include "shell/ui/StoreMaterialAccess.h"

#include <QClipboard>
#include <QGuiApplication>

#include "chartview/NodePictureReloader.h"
#include "chartview/ui/CTesselView.h"
#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "shell/DocumentActions.h"
#include "shell/ui/CommandRouter.h"
#include "store/InfoFile.h"
#include "store/ui/CDbDlg.h"
#include "store/ui/CDbPropDlg.h"
#include "store/ui/CEditDlg.h"
#include "store/ui/CPropertyNode.h"

namespace plume::shell {

using chartview::ItemCommands;


MaterialCommandBinding::MaterialCommandBinding(Parts parts)
    : parts_(std::move(parts)),
      store_(*parts_.materials) {
  materials_ = std::make_unique<StoreMaterialAccess>(store_, parts_.navigate);
  commands_ = std::make_unique<ItemCommands>(parts_.view->View(), *this, materials_.get(), &parts_.pictures->pictures);
  Bind();
}

MaterialCommandBinding::~MaterialCommandBinding() = default;

void MaterialCommandBinding::Bind() {
  for (int id : ItemCommands::AllCommands()) {
    if (id == ItemCommands::kFullScreen) continue;  // the frame's own command
    parts_.view->AddViewCommand(id, [this, id] { commands_->Run(id); });
  }
  // The ribbon and the frame's shortcuts reach the same commands.
  for (int id : {ItemCommands::kPaste, ItemCommands::kCopyNodes, ItemCommands::kTextEdit}) {
    parts_.router->Handle(id, [this, id] { commands_->Run(id); },
                          [this, id] { return CommandState{commands_->Enabled(id), false}; });
  }
  parts_.router->Handle(CommandId::ID_DB_SEARCH, [this] { OpenSearch(); });
  parts_.router->Handle(CommandId::ID_DB_PROP, [this] { OpenContentCheck(); });
}

void MaterialCommandBinding::OpenSearch() { Browse(std::nullopt); }

void MaterialCommandBinding::ShowMaterial(store::Serial serial) { Browse(serial); }

void MaterialCommandBinding::Browse(std::optional<store::Serial> serial) {
  store::DbDlgHooks hooks;
  hooks.navigate = [this](const std::string& cp932) {
    if (parts_.navigate && !cp932.empty()) parts_.navigate(platform::Cp932ToUtf8(cp932));
  };
  hooks.textArea = parts_.textArea;
  hooks.index = parts_.index;
  store::CDbDlg dlg(store::CDbDlg::Mode::Browse, store_, *parts_.settings, parts_.pictures->pictures, hooks,
                    parts_.window);
  if (serial) dlg.ShowMaterial(*serial);
  dlg.exec();
}

void MaterialCommandBinding::OpenContentCheck() {
  store::CDbPropDlg dlg(store_, *parts_.settings, parts_.window);
  dlg.exec();
}

platform::Point MaterialCommandBinding::MenuPoint() { return parts_.view->Controller().MenuPoint(); }

bool MaterialCommandBinding::InlineEditorOpen() { return parts_.view->View().EditTarget() != 0; }

void MaterialCommandBinding::CloseInlineEditor() {
  if (InlineEditorOpen() && parts_.closeEditor) parts_.closeEditor();
}

std::optional<std::string> MaterialCommandBinding::ClipboardText() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return std::nullopt;
  return platform::Utf8ToCp932(text.toStdString());
}

void MaterialCommandBinding::DeleteMaterial(std::int32_t serial, std::string_view typeWord) {
  store_.DeleteMaterial(serial, typeWord);
}

std::optional<std::string> MaterialCommandBinding::EditText(const std::string& cp932, bool nodeTitle) {
  std::string buffer = cp932;
  store::CEditDlg dlg(nodeTitle ? store::EditMode::Title : store::EditMode::Slip, buffer, parts_.window);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return buffer;
}

void MaterialCommandBinding::ShowNodeProperties(int index) {
  document::ChartDocument& doc = parts_.view->View().Document();
  store::DbDlgHooks hooks;
  hooks.navigate = [this](const std::string& cp932) {
    if (parts_.navigate) parts_.navigate(platform::Cp932ToUtf8(cp932));
  };
  hooks.textArea = parts_.textArea;
  chartview::NodePictureReloader reloader(doc, *materials_, parts_.pictures->loader);
  store::NodeDialogHooks chart;
  chart.reloadPicture = [&reloader](int i) { return reloader.ReloadNodePicture(i, true); };
  chart.chartChanged = [&doc] {
    doc.Changes().RequestRepaint();
    doc.Changes().MarkModified();
  };
  store::CPropertyNode dlg(doc, index, store_, *parts_.settings, hooks, chart, parts_.window);
  dlg.exec();
  // Whatever the dialog changed is one step.
  doc.History().Record(doc, document::EditStep::Properties, doc.CurrentPage().pageId);
}

void MaterialCommandBinding::PickMaterials() {
  // The document must have a name: it is recorded as the owner of each material.
  if (!parts_.document->EnsureSaved()) return;
  store::DbDlgHooks hooks;
  hooks.navigate = [this](const std::string& cp932) {
    if (parts_.navigate && !cp932.empty()) parts_.navigate(platform::Cp932ToUtf8(cp932));
  };
  hooks.textArea = parts_.textArea;
  hooks.index = parts_.index;
  hooks.paste = [this](const std::vector<store::MaterialPick>& picks) {
    std::vector<chartview::MaterialNode> nodes;
    for (const auto& p : picks) {
      nodes.push_back({p.typeWord, static_cast<std::int32_t>(p.serial), p.title, p.width, p.height});
    }
    const chartview::MaterialPasteResult r = commands_->PasteMaterials(nodes);
    return store::PickPasteResult{r.created, r.refused};
  };
  store::CDbDlg dlg(store::CDbDlg::Mode::Paste, store_, *parts_.settings, parts_.pictures->pictures, hooks,
                    parts_.window);
  dlg.exec();
}

void MaterialCommandBinding::ToggleFullScreen() {
  if (parts_.toggleFullScreen) parts_.toggleFullScreen();
}

void MaterialCommandBinding::RecordOwner(std::int32_t serial) {
  store::InfoFile info(store_);
  const std::string serialText = store::FormatSerial(serial);
  if (info.InfoFileExists(serialText)) info.AddOwner(serialText, parts_.document->Path());
}

std::unique_ptr<platform::Picture> MaterialCommandBinding::LoadMaterialPicture(std::string_view typeWord,
                                                                                std::int32_t serial,
                                                                                document::ColorRef& transColor) {
  // The picture is made as a registration makes it: transparency flattened
  // onto a key colour, fitted to the node width, an opaque one kept as JPEG.
  transColor = document::kNoColor;
  const auto root = store_.Root();
  if (!root) return nullptr;
  const std::filesystem::path file = store::MaterialStore::DataFileIn(*root, typeWord, store::FormatSerial(serial));
  if (!platform::IsRegularFile(file)) return nullptr;
  convert::NodePictureSize size;
  return parts_.pictures->loader.LoadNodePicture(file, typeWord, true, size, transColor, true);
}

}  // namespace plume::shell
