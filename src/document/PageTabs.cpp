#include "document/PageTabs.h"

#include <algorithm>
#include <unordered_set>

#include "document/TabBarSettings.h"
#include "platform/Cp932.h"

namespace plume::document {

namespace {
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::StringId;

constexpr std::string_view kEllipsis = "\x81\x63";  // "…"
}  // namespace

PageTabs::PageTabs(ChartDocument& doc, PageTabsHost& host, int captionLength)
    : doc_(doc),
      host_(host),
      captionLength_(std::clamp(captionLength, TabBarSettings::kMinCaption, TabBarSettings::kMaxCaption)) {
  Rebuild();
}

std::string PageTabs::Caption(std::string_view name, int captionLength) {
  const std::size_t limit = static_cast<std::size_t>(std::max(captionLength, 0));
  std::string caption;
  std::size_t i = 0;
  while (i < name.size() && name[i] != '\0') {
    const bool wide = platform::IsCp932LeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size();
    const std::size_t width = wide ? 2 : 1;
    caption.append(name.substr(i, width));
    i += width;
    if (caption.size() < limit) continue;
    if (caption.size() == limit) {
      if (i < name.size() && name[i] != '\0') caption.append(kEllipsis);
    } else {
      caption.resize(caption.size() - 2);
      caption.append(kEllipsis);
    }
    break;
  }
  return caption;
}

std::optional<StringId> PageTabs::CheckName(std::string_view name) {
  if (name.empty()) return StringId::TextEmpty;
  if (name.size() > static_cast<std::size_t>(kMaxNameBytes)) return StringId::TextTooLong;
  return std::nullopt;
}

void PageTabs::SetCaptionLength(int length) {
  length = std::clamp(length, TabBarSettings::kMinCaption, TabBarSettings::kMaxCaption);
  if (length == captionLength_) return;
  captionLength_ = length;
  Rebuild();
}

void PageTabs::Rebuild() {
  captions_.clear();
  for (int i = 0; i < doc_.header.pageCount; ++i) captions_.push_back(Caption(FullName(i), captionLength_));
}

std::string PageTabs::FullName(int tab) const {
  if (tab < 0 || tab >= doc_.header.pageCount) return {};
  return std::string(platform::FieldText(doc_.pages[tab].pageName));
}

void PageTabs::MakeCurrent(int index, bool storeScroll) {
  if (storeScroll) {
    int x = 0;
    int y = 0;
    host_.CurrentScroll(x, y);
    doc_.CurrentPage().scrollX = x;
    doc_.CurrentPage().scrollY = y;
  }
  doc_.header.currentPage = static_cast<std::uint16_t>(index);
  host_.CurrentPageChanged();
}

void PageTabs::Changed() {
  doc_.ClearSelection();
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
  doc_.Changes().MarkModified();
}

void PageTabs::Click(int tab) {
  if (tab < 0 || tab >= Count() || tab == Current()) return;
  MakeCurrent(tab, true);
  Changed();
}

void PageTabs::RightClick(int tab) {
  if (tab < 0 || tab >= Count()) return;
  if (tab != Current()) {
    MakeCurrent(tab, false);
    // Items of a page no longer on show must not stay selected for the keys and commands.
    doc_.ClearSelection();
    doc_.Changes().FocusChanged();
  }
  doc_.Changes().RequestRepaint();
}

PageTabs::MenuState PageTabs::MenuEnabling() const {
  return {Count() > 1, Current() > 0, Current() < Count() - 1};
}

bool PageTabs::AddPage(bool after) {
  if (Count() > ChartDocument::kMaxPages - 1) {
    platform::ShowMessage(StringId::PageLimitExceeded);
    return false;
  }
  const auto name = host_.AskPageName({});
  if (!name) return false;
  const int at = Current() + (after ? 1 : 0);
  if (doc_.header.pageCount >= ChartDocument::kMaxPages || at > Count()) {
    platform::ShowMessage(StringId::PageAddFailed);
    return false;
  }
  const std::uint16_t pageId = doc_.NewPageId();
  captions_.insert(captions_.begin() + at, *name);
  for (int i = doc_.header.pageCount; i > at; --i) doc_.pages[i] = doc_.pages[i - 1];
  doc_.header.pageCount += 1;
  ChartDocument::InitPage(doc_.pages[at], pageId, platform::CutToBytes(*name, kMaxNameBytes));
  doc_.header.currentPage = static_cast<std::uint16_t>(at);
  host_.CurrentPageChanged();
  // The new page is on show: nothing of the page left stays selected.
  doc_.ClearSelection();
  doc_.Changes().FocusChanged();
  doc_.CommitEdit(EditStep::PageAdd);
  doc_.Changes().RequestRepaint();
  return true;
}

bool PageTabs::RenamePage() {
  const auto name = host_.AskPageName(FullName(Current()));
  if (!name) return false;
  platform::CopyToField(doc_.CurrentPage().pageName, *name);
  captions_[Current()] = Caption(FullName(Current()), captionLength_);
  // A renamed page is a change like any other: closing asks before it is lost.
  doc_.CommitEdit(EditStep::PageRename);
  return true;
}

void PageTabs::SetTabBackColor(ColorRef color) {
  doc_.CurrentPage().tabBackColor = color;
  doc_.CommitEdit(EditStep::PageColour);
}

void PageTabs::SetTabTextColor(ColorRef color) {
  doc_.CurrentPage().tabTextColor = color;
  doc_.CommitEdit(EditStep::PageColour);
}

bool PageTabs::Move(int delta) {
  const int from = Current();
  const int to = from + delta;
  if (to < 0 || to >= Count()) return false;
  PageRecord& spare = doc_.pages[ChartDocument::kMaxPages];
  spare = doc_.pages[from];
  doc_.pages[from] = doc_.pages[to];
  doc_.pages[to] = spare;
  captions_[from] = FullName(from);
  captions_[to] = FullName(to);
  doc_.header.currentPage = static_cast<std::uint16_t>(to);
  doc_.CommitEdit(EditStep::PageMove);
  return true;
}

bool PageTabs::MoveLeft() { return Move(-1); }
bool PageTabs::MoveRight() { return Move(+1); }

bool PageTabs::DeleteCurrentPage() {
  if (Count() <= 1) return false;
  // An in-place editor open on an item stores its text before the tables move.
  doc_.Changes().ItemsRearranging();
  const int index = Current();
  const std::uint16_t pageId = doc_.CurrentPage().pageId;
  const int onPage = static_cast<int>(std::count_if(doc_.nodes.begin(), doc_.nodes.begin() + doc_.nodeCount,
                                                    [pageId](const NodeRecord& n) { return n.pageId == pageId; }));
  bool deleteMaterials = false;
  if (onPage > 0) {
    const MsgResult answer = platform::ShowMessage(StringId::DeleteNodesAndMaterialsAsk, {}, MsgIcon::Question,
                                                   MsgButtons::YesNoCancel);
    if (answer != MsgResult::Yes && answer != MsgResult::No) return false;
    deleteMaterials = answer == MsgResult::Yes;
  } else {
    const MsgResult answer = platform::ShowMessage(StringId::ConfirmDelete, platform::Cp932ToUtf8(captions_[index]) + "\n",
                                                   MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgResult::Yes) return false;
  }

  captions_.erase(captions_.begin() + index);
  host_.ClearItemClipboard();
  for (int i = index; i + 1 < doc_.header.pageCount; ++i) doc_.pages[i] = doc_.pages[i + 1];
  doc_.header.pageCount -= 1;
  doc_.header.currentPage = static_cast<std::uint16_t>(index > 0 ? index - 1 : 0);

  // A material that a node on another page still shows stays in the store;
  // one shown twice on this page is deleted once.
  std::unordered_set<std::int32_t> keptSerials;
  for (int i = 0; i < doc_.nodeCount; ++i)
    if (doc_.nodes[i].pageId != pageId) keptSerials.insert(doc_.nodes[i].serial);
  std::unordered_set<std::int32_t> dropped;
  int kept = 0;
  for (int i = 0; i < doc_.nodeCount; ++i) {
    NodeRecord& node = doc_.nodes[i];
    if (node.pageId == pageId) {
      if (deleteMaterials && keptSerials.insert(node.serial).second) host_.DeleteMaterial(node);
      doc_.pictures.Release(node.image);
      dropped.insert(node.nodeId);
      continue;
    }
    doc_.nodes[kept] = node;
    doc_.nodeStates[kept] = doc_.nodeStates[i];
    ++kept;
  }
  doc_.nodeCount = kept;
  kept = 0;
  for (int i = 0; i < doc_.arcCount; ++i) {
    const ArcRecord& arc = doc_.arcs[i];
    if (dropped.contains(arc.fromNode) || dropped.contains(arc.toNode)) continue;
    doc_.arcs[kept++] = arc;
  }
  doc_.arcCount = kept;
  // Slips of the page would stay in the file with no page to show them on.
  kept = 0;
  for (int i = 0; i < doc_.slipCount; ++i) {
    if (doc_.slips[i].pageId == pageId) continue;
    doc_.slips[kept++] = doc_.slips[i];
  }
  doc_.slipCount = kept;

  host_.CurrentPageChanged();
  doc_.ClearSelection();
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
  // The store is not undone: a deletion that took materials with it ends the history.
  if (deleteMaterials)
    doc_.EndHistory();
  else
    doc_.CommitEdit(EditStep::PageDelete, pageId);
  return true;
}

void PageTabs::ShowPage(int index) {
  if (index < 0 || index >= Count()) return;
  MakeCurrent(index, true);
  Changed();
}

PageTabs::PageCounts PageTabs::CountsOf(int index) const {
  PageCounts counts;
  if (index < 0 || index >= doc_.header.pageCount) return counts;
  const std::uint16_t pageId = doc_.pages[index].pageId;
  for (int i = 0; i < doc_.nodeCount; ++i) {
    if (doc_.nodes[i].pageId != pageId) continue;
    (doc_.nodes[i].hasImage ? counts.withPicture : counts.withoutPicture) += 1;
  }
  for (int i = 0; i < doc_.slipCount; ++i) counts.slips += doc_.slips[i].pageId == pageId ? 1 : 0;
  counts.total = counts.withoutPicture + counts.withPicture + counts.slips;
  return counts;
}

}  // namespace plume::document
