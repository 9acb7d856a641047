#include "document/ChartDocument.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::document {
namespace {

DefaultDocumentHooks gDefaultHooks;

// "ページ1" in CP932.
constexpr std::string_view kFirstPageName = "\x83\x79\x81\x5B\x83\x57" "1";

}  // namespace

ItemStyle DefaultItemStyle() {
  // The defaults of the NODE settings section are the built-in style.
  const auto& d = platform::settings::NODE;
  ItemStyle style{};
  style.refText = d.refText.def;
  style.FontBold = d.FontBold.def;
  style.FontSize = static_cast<std::uint16_t>(d.FontSize.def);
  platform::CopyToField(style.FontName, sizeof style.FontName, d.FontName.def);
  style.AlineH = static_cast<std::uint16_t>(d.AlineH.def);
  style.Yohaku = static_cast<std::uint16_t>(d.Yohaku.def);
  style.Wrap = d.Wrap.def;
  style.refMen = d.refMen.def;
  style.Round = d.Round.def;
  style.Futosa = static_cast<std::uint16_t>(d.Futosa.def);
  style.refWaku = d.refWaku.def;
  return style;
}

ChartDocument::ChartDocument() : hooks_(&gDefaultHooks) {
  pages.resize(kMaxPages + 1);
  arcs.resize(kMaxArcs);
  nodes.resize(kMaxNodes + 1);
  nodeStates.resize(kMaxNodes + 1);
  slips.resize(kMaxSlips + 1);
  // A new selection or page is what an undo of the next step returns to; a
  // save makes the present state the saved one.
  historyWatch_ = changes_.Subscribe([this](Change change) {
    if (change == Change::Focus) history_.Refresh(*this);
    if (change == Change::Unmodified) history_.MarkSaved();
  });
}

void ChartDocument::CommitEdit(EditStep step) {
  CommitEdit(step, header.pageCount > 0 ? CurrentPage().pageId : std::uint16_t{0});
}

void ChartDocument::CommitEdit(EditStep step, std::uint16_t pageId) {
  history_.Record(*this, step, pageId);
  changes_.MarkModified();
}

void ChartDocument::EndHistory() {
  changes_.MarkModified();
  history_.Reset(*this);
}

std::unique_ptr<ChartDocument> ChartDocument::Create(DocumentHooks* hooks) {
  std::unique_ptr<ChartDocument> doc;
  try {
    doc.reset(new ChartDocument());
  } catch (const std::bad_alloc&) {
    platform::ShowMessage(platform::StringId::MemoryAllocFailed);
    return nullptr;
  }
  doc->SetHooks(hooks);
  return doc;
}

void ChartDocument::SetHooks(DocumentHooks* hooks) { hooks_ = hooks ? hooks : &gDefaultHooks; }

void ChartDocument::SwapContents(ChartDocument& other) noexcept {
  std::swap(header, other.header);
  pages.swap(other.pages);
  arcs.swap(other.arcs);
  nodes.swap(other.nodes);
  nodeStates.swap(other.nodeStates);
  slips.swap(other.slips);
  std::swap(nodeCount, other.nodeCount);
  std::swap(arcCount, other.arcCount);
  std::swap(slipCount, other.slipCount);
  std::swap(focusedNode, other.focusedNode);
  std::swap(focusedSlip, other.focusedSlip);
  std::swap(pictures, other.pictures);
}

void ChartDocument::Clear() {
  // Each distinct picture is released once, however many nodes share it, and
  // a picture no node holds any more goes too.
  for (int i = 0; i < nodeCount; ++i) nodes[i].image = PictureTable::kNone;
  pictures.ReleaseAll();
  nodeCount = 0;
  arcCount = 0;
  slipCount = 0;
  focusedNode = -1;
  focusedSlip = -1;
}

void ChartDocument::InitPage(PageRecord& page, std::uint16_t pageId, std::string_view nameCp932) {
  page = PageRecord{};
  page.pageId = pageId;
  page.pageWidth = kDefaultPageSize;
  page.pageHeight = kDefaultPageSize;
  page.backColor = Rgb(255, 255, 255);
  page.tabBackColor = Rgb(255, 255, 255);
  page.tabTextColor = 0;
  platform::CopyToField(page.pageName, sizeof page.pageName, nameCp932);
}

void ChartDocument::NewDocument() {
  Clear();
  header.pageCount = 1;
  header.currentPage = 0;
  header.dialRadius = kDefaultDialRadius;
  InitPage(pages[0], 1, kFirstPageName);
  history_.Reset(*this);
  hooks_->NewDocumentSetUp();
}

std::int32_t ChartDocument::NewNodeId() const {
  std::int32_t top = 0;
  for (int i = 0; i < nodeCount; ++i) top = std::max(top, nodes[i].nodeId);
  return top + 1;
}

std::uint16_t ChartDocument::NewPageId() const {
  int top = 0;
  for (int i = 0; i < header.pageCount; ++i) top = std::max<int>(top, pages[i].pageId);
  return static_cast<std::uint16_t>(top + 1);
}

int ChartDocument::PageIndexOf(std::uint16_t pageId) const {
  for (int i = 0; i < header.pageCount; ++i)
    if (pages[i].pageId == pageId) return i;
  return -1;
}

int ChartDocument::NodeIndexOf(std::int32_t nodeId) const {
  for (int i = 0; i < nodeCount; ++i)
    if (nodes[i].nodeId == nodeId) return i;
  return -1;
}

platform::Picture* ChartDocument::NodePicture(int index) const {
  if (index < 0 || index >= nodeCount || !nodes[index].hasImage) return nullptr;
  return pictures.Get(nodes[index].image);
}

Rect ChartDocument::FitIntoPage(Rect rect) const {
  const PageRecord& page = CurrentPage();
  const int W = page.pageWidth;
  const int H = page.pageHeight;
  const int w = rect.Width();
  const int h = rect.Height();
  if (w > W && h > H) {
    float s = std::min(static_cast<float>(W) / static_cast<float>(w),
                       static_cast<float>(H) / static_cast<float>(h));
    rect = {0, 0, static_cast<int>(static_cast<float>(w) * s), static_cast<int>(static_cast<float>(h) * s)};
  } else if (w > W) {
    float s = static_cast<float>(W) / static_cast<float>(w);
    rect = {0, 0, W, static_cast<int>(s * static_cast<float>(h))};
  } else if (h > H) {
    float s = static_cast<float>(H) / static_cast<float>(h);
    rect = {0, 0, static_cast<int>(s * static_cast<float>(w)), H};
  }
  // Each check looks at the rectangle as it was before any of the moves.
  const Rect before = rect;
  // In 64 bits: a rectangle read from a damaged file may lie at the ends of the int range.
  auto move = [](int& v, std::int64_t d) {
    v = static_cast<int>(std::clamp<std::int64_t>(v + d, INT_MIN, INT_MAX));
  };
  auto shift = [&rect, &move](std::int64_t dx, std::int64_t dy) {
    move(rect.left, dx);
    move(rect.right, dx);
    move(rect.top, dy);
    move(rect.bottom, dy);
  };
  if (before.left < 0) shift(-std::int64_t{before.left}, 0);
  if (before.right > W) shift(W - std::int64_t{before.right}, 0);
  if (before.top < 0) shift(0, -std::int64_t{before.top});
  if (before.bottom > H) shift(0, H - std::int64_t{before.bottom});
  return rect;
}

bool ChartDocument::AddNode(NodeRequest request) {
  if (nodeCount >= kMaxNodes) {
    platform::ShowMessage(platform::StringId::NodeLimitExceeded);
    return false;
  }
  const int x = request.x;
  const int y = request.y;

  const int index = nodeCount;
  NodeRecord& node = nodes[index];
  node = NodeRecord{};
  node.nodeId = NewNodeId();
  node.rect = {x, y, x, y};
  if (request.hasImage) {
    const int hw = request.pictureWidth / 2;
    const int hh = request.pictureHeight / 2;
    node.rect = FitIntoPage({x - hw, y - hh, x + hw, y + hh});
  }
  nodeStates[index] = NodeViewState{};
  nodeStates[index].selected = 1;

  node.serial = request.serial;
  platform::CopyToField(node.dataType, sizeof node.dataType, request.dataType);
  node.pageId = CurrentPage().pageId;
  node.hasImage = request.hasImage ? 1 : 0;
  node.image = request.hasImage ? pictures.Add(std::move(request.picture)) : PictureTable::kNone;
  node.transColor = request.transColor;

  std::string title = request.title.empty() ? hooks_->WebPageTitle() : std::move(request.title);
  platform::CopyToField(node.title, sizeof node.title, title);
  node.titlePos = hooks_->TitlePosDefault();
  node.style = hooks_->NodeDefaults();
  if (request.transColor != kNoColor) {
    node.style.refMen = kNoColor;
    node.style.refWaku = kNoColor;
  }

  focusedNode = index;
  nodeCount += 1;
  changes_.FocusChanged();
  return true;
}

bool ChartDocument::AddSlip(std::string_view text, int x, int y) {
  if (slipCount >= kMaxSlips) {
    platform::ShowMessage(platform::StringId::SlipLimitExceeded);
    return false;
  }
  const int index = slipCount;
  SlipRecord& slip = slips[index];
  slip = SlipRecord{};
  slip.rect = {x, y, x, y};
  slip.selected = 1;
  slip.pageId = CurrentPage().pageId;
  platform::CopyToField(slip.slipText, sizeof slip.slipText, text);
  slip.style = hooks_->SlipDefaults();

  focusedSlip = index;
  slipCount += 1;
  changes_.FocusChanged();
  return true;
}

void ChartDocument::ClearSelection() {
  for (int i = 0; i < nodeCount; ++i) nodeStates[i].selected = 0;
  for (int i = 0; i < slipCount; ++i) slips[i].selected = 0;
  focusedNode = -1;
  focusedSlip = -1;
}

}  // namespace plume::document
