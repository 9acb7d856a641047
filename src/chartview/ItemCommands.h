#pragma once
// The chart view's commands on nodes and slips: select all, copy and paste
// through the private item clipboard, delete (nodes optionally with their
// materials), swap the drawing order, new slips, show a node's source or
// master file, text edit, node properties, full screen, and nodes made from
// materials picked in the store.

#include <string>
#include <vector>

#include "chartview/ChartView.h"
#include "chartview/ItemClipboard.h"
#include "chartview/ItemCommandHost.h"
#include "chartview/MaterialAccess.h"
#include "commands/CommandTable.h"
#include "platform/Picture.h"

namespace plume::chartview {

/// A material picked in the store that becomes a node.
struct MaterialNode {
  std::string typeWord;
  std::int32_t serial = 0;
  std::string title;  ///< CP932
  int width = 0;      ///< picture size, pixels
  int height = 0;
};

struct MaterialPasteResult {
  int created = 0;
  bool refused = false;  ///< the node table refused one (its message was shown); the rest was not pasted
};

class ItemCommands {
 public:
  enum Command : int {
    kSelectAllNodes = commands::Id(commands::CommandId::ID_SELECT_ALL_NODES),
    kSelectAllSlips = commands::Id(commands::CommandId::ID_SELECT_ALL_SLIPS),
    kCopyNodes = commands::Id(commands::CommandId::ID_VIEW_COPY),
    kCopySlips = commands::Id(commands::CommandId::ID_SLIP_COPY),
    kPaste = commands::Id(commands::CommandId::ID_VIEW_PASTE),
    kDeleteNodes = commands::Id(commands::CommandId::ID_NODE_DELETE),
    kDeleteSlips = commands::Id(commands::CommandId::ID_SLIP_DELETE),
    kSwapOrder = commands::Id(commands::CommandId::ID_SWAP_PAIR),
    kNewSlip = commands::Id(commands::CommandId::ID_NEW_SLIP),
    kSlipFromClipboard = commands::Id(commands::CommandId::ID_NEW_SLIP_CLIP_TEXT),
    kNodesFromStore = commands::Id(commands::CommandId::ID_NEW_NODE_FROM_DB),
    kShowSource = commands::Id(commands::CommandId::ID_SHOW_SOURCE),
    kShowMasterFile = commands::Id(commands::CommandId::ID_SHOW_ORIGINAL),
    kTextEdit = commands::Id(commands::CommandId::ID_TEXT_EDIT),
    kNodeProperties = commands::Id(commands::CommandId::ID_NODE_PROPERTY),
    kFullScreen = commands::Id(commands::CommandId::ID_VIEW_FULLSCREEN),
  };
  /// Every command above, for binding.
  static const std::vector<int>& AllCommands();
  /// Text of a new empty slip (CP932).
  static std::string NewSlipText();
  /// Bytes a slip made from the clipboard keeps at most.
  static constexpr std::size_t kClipboardSlipBytes = 1000;

  /// `materials` and `codec` may be null (no store; pasted nodes get no picture object).
  ItemCommands(ChartView& view, ItemCommandHost& host, MaterialAccess* materials = nullptr,
               const platform::PictureCodec* codec = nullptr);

  /// Runs command `id`; false for an id that is not one of these.
  bool Run(int id);
  /// Update handler of the commands reached from the ribbon and shortcuts.
  bool Enabled(int id) const;

  void SelectAllNodes();
  void SelectAllSlips();
  void CopyNodes();
  void CopySlips();
  void Paste();
  void DeleteNodes();
  void DeleteSlips();
  void SwapOrder();
  void NewSlip();
  void SlipFromClipboard();
  void ShowSource();
  void ShowMasterFile();
  void TextEdit();

  /// Nodes for the picked materials at the click point, p, p + (2, 2), ...;
  /// each material gets the document as an owner. Stops at a refused node.
  MaterialPasteResult PasteMaterials(const std::vector<MaterialNode>& picks);

  ItemClipboard& Clipboard() { return clipboard_; }

 private:
  void PasteNodes();
  void PasteSlips();
  document::PictureTable::Handle AddPicture(const platform::Bytes& bytes);
  platform::Point Displacement() const;

  ChartView& view_;
  document::ChartDocument& doc_;
  ItemCommandHost& host_;
  MaterialAccess* materials_;
  const platform::PictureCodec* codec_;
  ItemClipboard clipboard_;
};

}  // namespace plume::chartview
