#pragma once
// What the chart item commands need beyond the document and the view: the
// click point, the system clipboard's text, the store, the dialogs and the
// main window. Repaints and the modified mark go through the document's
// changes. Fully abstract: the window's material commands implement it.

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
  virtual platform::Point MenuPoint() = 0;
  /// Whether the in-place editor is open, and closing it without a commit.
  virtual bool InlineEditorOpen() = 0;
  virtual void CloseInlineEditor() = 0;
  /// The system clipboard's plain text as CP932; nullopt when it holds none.
  virtual std::optional<std::string> ClipboardText() = 0;
  /// Removes a material's files from the store.
  virtual void DeleteMaterial(std::int32_t serial, std::string_view typeWord) = 0;
  /// Edits `cp932` in the text edit dialog; the new text on OK, nullopt on Cancel.
  virtual std::optional<std::string> EditText(const std::string& cp932, bool nodeTitle) = 0;
  /// The node properties dialog for node `index`.
  virtual void ShowNodeProperties(int index) = 0;
  /// The material search dialog in paste mode (after the document has a name).
  virtual void PickMaterials() = 0;
  /// Toggles the main window's full-screen mode.
  virtual void ToggleFullScreen() = 0;
  /// Paste from the store: records the document as an owner of `serial` (when it has an information file).
  virtual void RecordOwner(std::int32_t serial) = 0;
  /// Paste from the store: the material's picture made as for a new picture
  /// node (transparency keyed, fitted to the node width) and its transparent colour.
  virtual std::unique_ptr<platform::Picture> LoadMaterialPicture(std::string_view typeWord, std::int32_t serial,
                                                                  document::ColorRef& transColor) = 0;
};

}  // namespace plume::chartview
