#pragma once
// What the chart item commands need beyond the document and the view: the
// click point, the system clipboard's text, the store, the dialogs and the
// main window. Every call has a harmless default, so a fake overrides only
// what a test looks at.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "document/ChartRecords.h"
#include "platform/CanvasTypes.h"
#include "platform/Picture.h"

namespace plume::chartview {

class ItemCommandHost {
 public:
  virtual ~ItemCommandHost() = default;
  /// Where the last right click in the view happened, screen pixels ((0, 0) before any).
  virtual platform::Point MenuPoint() { return {}; }
  virtual void Repaint() {}
  virtual void RefreshStyleControls() {}
  virtual void MarkModified() {}
  /// Whether the in-place editor is open, and closing it without a commit.
  virtual bool InlineEditorOpen() { return false; }
  virtual void CloseInlineEditor() {}
  /// The system clipboard's plain text as CP932; nullopt when it holds none.
  virtual std::optional<std::string> ClipboardText() { return std::nullopt; }
  /// Removes a material's files from the store.
  virtual void DeleteMaterial(std::int32_t serial, std::string_view typeWord) {
    (void)serial;
    (void)typeWord;
  }
  /// Edits `cp932` in the text edit dialog; the new text on OK, nullopt on Cancel.
  virtual std::optional<std::string> EditText(const std::string& cp932, bool nodeTitle) {
    (void)cp932;
    (void)nodeTitle;
    return std::nullopt;
  }
  /// The node properties dialog for node `index`.
  virtual void ShowNodeProperties(int index) { (void)index; }
  /// The material search dialog in paste mode (after the document has a name).
  virtual void PickMaterials() {}
  /// Toggles the main window's full-screen mode.
  virtual void ToggleFullScreen() {}
  /// Paste from the store: records the document as an owner of `serial` (when it has an information file).
  virtual void RecordOwner(std::int32_t serial) { (void)serial; }
  /// Paste from the store: the material's picture and its transparent colour.
  virtual std::unique_ptr<platform::Picture> LoadMaterialPicture(std::string_view typeWord, std::int32_t serial,
                                                                  document::ColorRef& transColor) {
    (void)typeWord;
    (void)serial;
    (void)transColor;
    return nullptr;
  }
};

}  // namespace plume::chartview
