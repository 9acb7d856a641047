#pragma once
// The one open chart document: a header and four dense tables (pages, arcs,
// nodes with their view states, slips) allocated once at full capacity and
// reused for every document. Items are addressed by index; arcs refer to
// nodes by nodeId, items to pages by pageId.

#include <memory>
#include <string>
#include <vector>

#include "document/ChartRecords.h"
#include "document/DocumentChanges.h"
#include "document/DocumentHooks.h"
#include "document/EditHistory.h"
#include "document/EditStep.h"
#include "document/ItemKind.h"
#include "document/PictureTable.h"

namespace plume::document {

/// What a capture, drop or paste hands over to create a node.
struct NodeRequest {
  std::string dataType;  ///< material type word ("PDF", "JPEG", ...); cut to 4 bytes
  std::int32_t serial = 0;
  std::string title;  ///< CP932; empty takes the web page title
  bool hasImage = false;
  std::unique_ptr<platform::Picture> picture;  ///< may be null even with hasImage
  int pictureWidth = 0;  ///< screen pixels
  int pictureHeight = 0;
  ColorRef transColor = kNoColor;
  int x = 0;  ///< position on the page, in page units
  int y = 0;
};

class ChartDocument {
 public:
  static constexpr int kMaxPages = 100;
  static constexpr int kMaxNodes = 10000;
  static constexpr int kMaxArcs = 10000;
  static constexpr int kMaxSlips = 1000;
  static constexpr std::uint16_t kDefaultDialRadius = 70;
  static constexpr std::uint16_t kDefaultPageSize = 1000;

  /// Allocates the tables at capacity (plus one spare page, node and slip used
  /// when two records are exchanged); shows 30001 and returns nullptr when the
  /// memory cannot be had. `hooks` may be null (the do-nothing defaults).
  static std::unique_ptr<ChartDocument> Create(DocumentHooks* hooks = nullptr);

  DocHeader header{};
  std::vector<PageRecord> pages;
  std::vector<ArcRecord> arcs;
  std::vector<NodeRecord> nodes;
  std::vector<NodeViewState> nodeStates;
  std::vector<SlipRecord> slips;
  std::int32_t nodeCount = 0;
  std::int32_t arcCount = 0;
  std::int32_t slipCount = 0;
  /// The main selection (view state, never stored): indexes or -1.
  int focusedNode = -1;
  int focusedSlip = -1;
  PictureTable pictures;

  void SetHooks(DocumentHooks* hooks);
  /// The modified flag and repaint requests; they stay with this document
  /// when its contents are swapped.
  DocumentChanges& Changes() { return changes_; }
  const DocumentChanges& Changes() const { return changes_; }
  /// The history of edits behind undo and redo; it stays with this
  /// document when its contents are swapped and starts again when a
  /// document is set up or shown.
  EditHistory& History() { return history_; }
  const EditHistory& History() const { return history_; }
  /// An edit is done: it becomes a step of the history on page `pageId`
  /// (by default the current page) when the chart's contents changed, and
  /// the document is marked modified.
  void CommitEdit(EditStep step);
  void CommitEdit(EditStep step, std::uint16_t pageId);
  /// An edit that cannot be undone (materials left the store with it): the
  /// document is marked modified and the history starts again from here.
  void EndHistory();

  /// Releases every picture once and empties the item tables.
  void Clear();
  /// Exchanges every table, the header, the selection and the pictures with
  /// `other`; each keeps its own hooks and change announcer. Lets a document be read aside and
  /// take the open document's place only once the whole read succeeded.
  void SwapContents(ChartDocument& other) noexcept;
  /// Clear, then one empty page "ページ1" of 1000 x 1000; the reserved header word is kept.
  void NewDocument();
  /// max(nodeId, 0) + 1.
  std::int32_t NewNodeId() const;
  /// max(pageId) + 1.
  std::uint16_t NewPageId() const;
  /// Adds a node at the request's position on the current page, selected and
  /// focused; the caller asks for the repaint (once for many). Shows 30014 and
  /// fails when the node table is full.
  bool AddNode(NodeRequest request);
  /// Adds a slip (text CP932) at a position in page units on the current page.
  /// Shows 30062 and fails when the slip table is full.
  bool AddSlip(std::string_view text, int x, int y);
  void ClearSelection();
  /// The rectangle scaled down (keeping its aspect) and moved so that it lies
  /// within the current page.
  Rect FitIntoPage(Rect rect) const;

  PageRecord& CurrentPage() { return pages[header.currentPage]; }
  const PageRecord& CurrentPage() const { return pages[header.currentPage]; }
  /// Index of the page with `pageId`, -1 when there is none.
  int PageIndexOf(std::uint16_t pageId) const;
  /// Index of the node with `nodeId`, -1 when there is none.
  int NodeIndexOf(std::int32_t nodeId) const;
  /// The decoded picture of node `index`; nullptr when it has none.
  platform::Picture* NodePicture(int index) const;
  // The same field of a node or a slip, by kind: item `index` of `kind`'s table.
  int ItemCount(ItemKind kind) const { return kind == ItemKind::Nodes ? nodeCount : slipCount; }
  Rect& ItemRect(ItemKind kind, int index) { return kind == ItemKind::Nodes ? nodes[index].rect : slips[index].rect; }
  const Rect& ItemRect(ItemKind kind, int index) const {
    return kind == ItemKind::Nodes ? nodes[index].rect : slips[index].rect;
  }
  std::uint16_t& ItemPageId(ItemKind kind, int index) {
    return kind == ItemKind::Nodes ? nodes[index].pageId : slips[index].pageId;
  }
  std::uint16_t ItemPageId(ItemKind kind, int index) const {
    return kind == ItemKind::Nodes ? nodes[index].pageId : slips[index].pageId;
  }
  ItemStyle& ItemStyleOf(ItemKind kind, int index) {
    return kind == ItemKind::Nodes ? nodes[index].style : slips[index].style;
  }
  const ItemStyle& ItemStyleOf(ItemKind kind, int index) const {
    return kind == ItemKind::Nodes ? nodes[index].style : slips[index].style;
  }
  bool ItemSelected(ItemKind kind, int index) const {
    return (kind == ItemKind::Nodes ? nodeStates[index].selected : slips[index].selected) != 0;
  }
  /// The focused item of `kind` (the main selection), -1 for none.
  int& FocusedItem(ItemKind kind) { return kind == ItemKind::Nodes ? focusedNode : focusedSlip; }
  int FocusedItem(ItemKind kind) const { return kind == ItemKind::Nodes ? focusedNode : focusedSlip; }

  /// Sets a page record to the defaults of a new page.
  static void InitPage(PageRecord& page, std::uint16_t pageId, std::string_view nameCp932);

 private:
  ChartDocument();
  DocumentHooks* hooks_;
  DocumentChanges changes_;
  EditHistory history_;
  DocumentChanges::Subscription historyWatch_;
};

}  // namespace plume::document
