#include "chartview/ItemCommands.h"

#include <algorithm>
#include <unordered_set>

#include "chartview/CoordinateMapping.h"
#include "chartview/ItemMover.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

namespace plume::chartview {

using document::ChartDocument;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::ShowMessage;
using platform::StringId;

const std::vector<int>& ItemCommands::AllCommands() {
  static const std::vector<int> ids = {kSelectAllNodes, kSelectAllSlips,    kCopyNodes,      kCopySlips,
                                       kPaste,          kDeleteNodes,       kDeleteSlips,    kSwapOrder,
                                       kNewSlip,        kSlipFromClipboard, kNodesFromStore, kShowSource,
                                       kShowMasterFile, kTextEdit,          kNodeProperties, kFullScreen};
  return ids;
}

std::string ItemCommands::NewSlipText() { return platform::Utf8ToCp932("新しい付箋"); }

ItemCommands::ItemCommands(ChartView& view, ItemCommandHost& host, MaterialAccess* materials,
                           const platform::PictureCodec* codec)
    : view_(view), doc_(view.Document()), host_(host), materials_(materials), codec_(codec) {}

bool ItemCommands::Run(int id) {
  switch (id) {
    case kSelectAllNodes: SelectAllNodes(); break;
    case kSelectAllSlips: SelectAllSlips(); break;
    case kCopyNodes: CopyNodes(); break;
    case kCopySlips: CopySlips(); break;
    case kPaste: Paste(); break;
    case kDeleteNodes: DeleteNodes(); break;
    case kDeleteSlips: DeleteSlips(); break;
    case kSwapOrder: SwapOrder(); break;
    case kNewSlip: NewSlip(); break;
    case kSlipFromClipboard: SlipFromClipboard(); break;
    case kNodesFromStore: host_.PickMaterials(); break;
    case kShowSource: ShowSource(); break;
    case kShowMasterFile: ShowMasterFile(); break;
    case kTextEdit: TextEdit(); break;
    case kNodeProperties:
      if (doc_.focusedNode >= 0 && doc_.focusedNode < doc_.nodeCount) host_.ShowNodeProperties(doc_.focusedNode);
      break;
    case kFullScreen: host_.ToggleFullScreen(); break;
    default: return false;
  }
  return true;
}

bool ItemCommands::Enabled(int id) const {
  switch (id) {
    case kPaste: return clipboard_.Count() != 0 && doc_.header.pageCount > 0;
    case kCopyNodes:
    case kDeleteNodes:
    case kShowSource:
    case kShowMasterFile:
    case kNodeProperties: return doc_.focusedNode >= 0;
    case kCopySlips:
    case kDeleteSlips: return doc_.focusedSlip >= 0;
    case kTextEdit:
    case kSwapOrder: return doc_.focusedNode >= 0 || doc_.focusedSlip >= 0;
    default: return doc_.header.pageCount > 0;
  }
}

void ItemCommands::SelectAllNodes() {
  if (doc_.header.pageCount == 0) return;
  const auto pageId = doc_.CurrentPage().pageId;
  for (int i = 0; i < doc_.nodeCount; ++i) {
    if (doc_.nodes[i].pageId != pageId) continue;
    doc_.nodeStates[i].selected = 1;
    doc_.focusedNode = i;
  }
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
}

void ItemCommands::SelectAllSlips() {
  if (doc_.header.pageCount == 0) return;
  const auto pageId = doc_.CurrentPage().pageId;
  for (int i = 0; i < doc_.slipCount; ++i) {
    if (doc_.slips[i].pageId != pageId) continue;
    doc_.slips[i].selected = 1;
    doc_.focusedSlip = i;
  }
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
}

void ItemCommands::CopyNodes() { clipboard_.CopyNodes(doc_, view_.Zoom()); }

void ItemCommands::CopySlips() { clipboard_.CopySlips(doc_, view_.Zoom()); }

platform::Point ItemCommands::Displacement() const {
  const platform::Point p = host_.MenuPoint();
  const platform::Point a = clipboard_.Anchor();
  const float zoom = view_.Zoom();
  return {static_cast<int>(static_cast<float>(p.x - a.x) / zoom), static_cast<int>(static_cast<float>(p.y - a.y) / zoom)};
}

void ItemCommands::Paste() {
  if (doc_.header.pageCount == 0) return;
  if (clipboard_.Count() > 0) PasteNodes();
  if (clipboard_.Count() < 0) PasteSlips();
}

document::PictureTable::Handle ItemCommands::AddPicture(const platform::Bytes& bytes) {
  if (bytes.empty()) return document::PictureTable::kNone;
  // Each pasted node decodes its own picture; bytes no codec can decode are kept as they are.
  std::unique_ptr<platform::Picture> picture = codec_ != nullptr ? codec_->Decode(bytes) : nullptr;
  return picture ? doc_.pictures.Add(std::move(picture)) : doc_.pictures.AddUndecoded(bytes);
}

void ItemCommands::PasteNodes() {
  doc_.ClearSelection();
  std::int32_t id = doc_.NewNodeId();
  const platform::Point d = Displacement();
  const auto pageId = doc_.CurrentPage().pageId;
  const ItemMover mover(doc_, view_.Zoom());
  bool first = true;
  const auto& nodes = clipboard_.Nodes();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (doc_.nodeCount >= ChartDocument::kMaxNodes) {
      ShowMessage(StringId::NodeLimitExceeded, {}, MsgIcon::Error);
      clipboard_.Clear();
      break;
    }
    const int index = doc_.nodeCount;
    doc_.nodes[index] = nodes[i];
    doc_.nodeStates[index] = clipboard_.NodeStates()[i];
    document::NodeRecord& node = doc_.nodes[index];
    node.image = document::PictureTable::kNone;
    if (nodes[i].hasImage) node.image = AddPicture(clipboard_.PictureBytes()[i]);
    node.nodeId = id++;
    node.pageId = pageId;
    node.rect = mover.MovedRect(ItemKind::Nodes, index, d.x, d.y);
    doc_.nodeStates[index].selected = 1;
    if (first) doc_.focusedNode = index;
    first = false;
    doc_.nodeCount += 1;
  }
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::Paste);
}

void ItemCommands::PasteSlips() {
  doc_.ClearSelection();
  const platform::Point d = Displacement();
  const auto pageId = doc_.CurrentPage().pageId;
  const ItemMover mover(doc_, view_.Zoom());
  bool first = true;
  for (const document::SlipRecord& slip : clipboard_.Slips()) {
    if (doc_.slipCount >= ChartDocument::kMaxSlips) {
      ShowMessage(StringId::SlipLimitExceeded, {}, MsgIcon::Error);
      break;
    }
    const int index = doc_.slipCount;
    doc_.slips[index] = slip;
    doc_.slips[index].pageId = pageId;
    doc_.slips[index].rect = mover.MovedRect(ItemKind::Slips, index, d.x, d.y);
    doc_.slips[index].selected = 1;
    if (first) doc_.focusedSlip = index;
    first = false;
    doc_.slipCount += 1;
  }
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::Paste);
}

void ItemCommands::DeleteNodes() {
  // The in-place editor may be open on one of the nodes: it stores its text
  // first, so a deletion answered with Cancel loses nothing.
  doc_.Changes().ItemsRearranging();
  clipboard_.Clear();
  const MsgResult answer =
      ShowMessage(StringId::DeleteNodesAndMaterialsAsk, {}, MsgIcon::Question, MsgButtons::YesNoCancel);
  if (answer == MsgResult::Cancel) return;
  const bool withMaterials = answer == MsgResult::Yes;
  std::vector<document::PictureTable::Handle> released;
  int kept = 0;
  for (int i = 0; i < doc_.nodeCount; ++i) {
    if (!doc_.nodeStates[i].selected) {
      if (kept != i) {
        doc_.nodes[kept] = doc_.nodes[i];
        doc_.nodeStates[kept] = doc_.nodeStates[i];
      }
      ++kept;
      continue;
    }
    const document::NodeRecord& node = doc_.nodes[i];
    if (withMaterials) host_.DeleteMaterial(node.serial, platform::FieldText(node.dataType));
    const auto arcsEnd = std::remove_if(doc_.arcs.begin(), doc_.arcs.begin() + doc_.arcCount,
                                        [&](const document::ArcRecord& a) {
                                          return a.fromNode == node.nodeId || a.toNode == node.nodeId;
                                        });
    doc_.arcCount = static_cast<std::int32_t>(arcsEnd - doc_.arcs.begin());
    if (node.image != document::PictureTable::kNone) released.push_back(node.image);
  }
  // A picture is released only when no remaining node shares it.
  std::unordered_set<document::PictureTable::Handle> stillHeld;
  for (int i = 0; i < kept; ++i) stillHeld.insert(doc_.nodes[i].image);
  for (auto handle : released) {
    if (!stillHeld.count(handle)) doc_.pictures.Release(handle);
  }
  for (int i = kept; i < doc_.nodeCount; ++i) {
    doc_.nodes[i].image = document::PictureTable::kNone;
    doc_.nodeStates[i] = {};
  }
  doc_.nodeCount = kept;
  doc_.focusedNode = -1;
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
  // The store is not undone: a deletion that took materials with it ends the history.
  if (withMaterials)
    doc_.EndHistory();
  else
    doc_.CommitEdit(document::EditStep::DeleteNodes);
}

void ItemCommands::DeleteSlips() {
  if (host_.InlineEditorOpen()) return;
  clipboard_.Clear();
  if (ShowMessage(StringId::DeleteSlipsAsk, {}, MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes) return;
  int kept = 0;
  for (int i = 0; i < doc_.slipCount; ++i) {
    if (doc_.slips[i].selected) continue;
    if (kept != i) doc_.slips[kept] = doc_.slips[i];
    ++kept;
  }
  doc_.slipCount = kept;
  doc_.focusedSlip = -1;
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::DeleteSlips);
}

void ItemCommands::SwapOrder() {
  auto twoLowest = [](int count, auto selected) {
    std::vector<int> found;
    for (int i = 0; i < count && found.size() < 2; ++i) {
      if (selected(i)) found.push_back(i);
    }
    return found;
  };
  if (doc_.focusedNode >= 0) {
    const auto ab = twoLowest(doc_.nodeCount, [&](int i) { return doc_.nodeStates[i].selected != 0; });
    if (ab.size() < 2) return;
    doc_.Changes().ItemsRearranging();
    // The spare record beyond the table's capacity holds one side during the exchange.
    const int spare = ChartDocument::kMaxNodes;
    doc_.nodes[spare] = doc_.nodes[ab[0]];
    doc_.nodeStates[spare] = doc_.nodeStates[ab[0]];
    doc_.nodes[ab[0]] = doc_.nodes[ab[1]];
    doc_.nodeStates[ab[0]] = doc_.nodeStates[ab[1]];
    doc_.nodes[ab[1]] = doc_.nodes[spare];
    doc_.nodeStates[ab[1]] = doc_.nodeStates[spare];
  } else if (doc_.focusedSlip >= 0) {
    const auto ab = twoLowest(doc_.slipCount, [&](int i) { return doc_.slips[i].selected != 0; });
    if (ab.size() < 2) return;
    doc_.Changes().ItemsRearranging();
    const int spare = ChartDocument::kMaxSlips;
    doc_.slips[spare] = doc_.slips[ab[0]];
    doc_.slips[ab[0]] = doc_.slips[ab[1]];
    doc_.slips[ab[1]] = doc_.slips[spare];
  } else {
    return;
  }
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::DrawingOrder);
}

void ItemCommands::NewSlip() {
  if (doc_.header.pageCount == 0) return;
  const platform::Point p = ScreenToPage(host_.MenuPoint(), view_.Zoom());
  if (!doc_.AddSlip(NewSlipText(), p.x, p.y)) return;
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::NewSlip);
}

void ItemCommands::SlipFromClipboard() {
  if (doc_.header.pageCount == 0) return;
  const std::optional<std::string> text = host_.ClipboardText();
  if (!text || text->empty()) {
    ShowMessage(StringId::ClipboardHasNoText, {}, MsgIcon::Information);
    return;
  }
  const std::string cut = platform::CutToBytes(*text, kClipboardSlipBytes);
  if (ShowMessage(StringId::CreateSlipFromTextAsk, platform::Cp932ToUtf8(cut) + "\n\n", MsgIcon::Question,
                  MsgButtons::YesNo) != MsgResult::Yes) {
    return;
  }
  const platform::Point p = ScreenToPage(host_.MenuPoint(), view_.Zoom());
  if (!doc_.AddSlip(cut, p.x, p.y)) return;
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::NewSlip);
}

void ItemCommands::ShowSource() {
  if (doc_.focusedNode < 0 || materials_ == nullptr) return;
  const std::string address = materials_->SourceAddress(doc_.nodes[doc_.focusedNode].serial);
  if (address.empty()) {
    ShowMessage(StringId::SourceUnknown, {}, MsgIcon::Information);
    return;
  }
  materials_->OpenInHtmlArea(address);
}

void ItemCommands::ShowMasterFile() {
  if (doc_.focusedNode < 0 || materials_ == nullptr) return;
  const document::NodeRecord& node = doc_.nodes[doc_.focusedNode];
  const auto file = materials_->DataFile(platform::FieldText(node.dataType), node.serial);
  if (file) materials_->OpenInHtmlArea(platform::Utf8ToCp932(file->string()));
}

void ItemCommands::TextEdit() {
  if (doc_.focusedNode >= 0 && doc_.focusedNode < doc_.nodeCount) {
    document::NodeRecord& node = doc_.nodes[doc_.focusedNode];
    const auto edited = host_.EditText(std::string(platform::FieldText(node.title)), true);
    if (!edited) return;
    platform::CopyToField(node.title, *edited);
  } else if (doc_.focusedSlip >= 0 && doc_.focusedSlip < doc_.slipCount) {
    document::SlipRecord& slip = doc_.slips[doc_.focusedSlip];
    const auto edited = host_.EditText(std::string(platform::FieldText(slip.slipText)), false);
    if (!edited) return;
    platform::CopyToField(slip.slipText, *edited);
  } else {
    return;
  }
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::Text);
}

MaterialPasteResult ItemCommands::PasteMaterials(const std::vector<MaterialNode>& picks) {
  MaterialPasteResult result;
  platform::Point p = host_.MenuPoint();
  for (const MaterialNode& pick : picks) {
    host_.RecordOwner(pick.serial);
    document::NodeRequest request;
    request.dataType = pick.typeWord;
    request.serial = pick.serial;
    request.title = pick.title;
    request.transColor = document::kNoColor;
    if (pick.typeWord != "PDF") {
      request.picture = host_.LoadMaterialPicture(pick.typeWord, pick.serial, request.transColor);
      request.hasImage = request.picture != nullptr;
      // The node takes the size the picture was made at (fitted to the node width).
      request.pictureWidth = request.picture ? request.picture->Width() : pick.width;
      request.pictureHeight = request.picture ? request.picture->Height() : pick.height;
    }
    // Each node two screen pixels further down and right, at the zoom shown.
    const platform::Point at = ScreenToPage(p, view_.Zoom());
    request.x = at.x;
    request.y = at.y;
    if (!doc_.AddNode(std::move(request))) {
      result.refused = true;
      break;
    }
    p.x += 2;
    p.y += 2;
    ++result.created;
  }
  if (result.created > 0) {
    doc_.Changes().RequestRepaint();
    doc_.CommitEdit(document::EditStep::NewNode);
  }
  return result;
}

}  // namespace plume::chartview
