#include "chartview/UndoRecord.h"

#include <gtest/gtest.h>

#include <utility>

#include "../support/ChartViewNulls.h"
#include "ChartFixture.h"
#include "chartview/ChartView.h"
#include "chartview/ChartViewHooks.h"
#include "platform/MemorySettingsStore.h"

namespace plume::chartview {
namespace {

using Kind = UndoRecord::Kind;
using document::Rect;

void Move(document::NodeRecord& n, int dx, int dy) {
  n.rect = {n.rect.left + dx, n.rect.top + dy, n.rect.right + dx, n.rect.bottom + dy};
}

class UndoTest : public ::testing::Test, protected testing::ChartFixture {
 protected:
  UndoTest() {
    for (int i = 0; i < 3; ++i) AddNode({100 * i, 0, 100 * i + 50, 30});
  }
  WindowlessHost host;
  plume::testing::ChangeCounter changes{*doc};
  platform::MemorySettingsStore store;
  ChartView view{*doc, store, host};
};

TEST_F(UndoTest, ArrowMoveOfThreeNodesIsUndoneOnceOnly) {
  view.TakeSnapshot(Kind::Nodes);
  for (int i = 0; i < 3; ++i) Move(doc->nodes[i], 1, 0);
  ASSERT_TRUE(view.CanUndo());
  view.Undo();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(doc->nodes[i].rect, (Rect{100 * i, 0, 100 * i + 50, 30}));
  EXPECT_FALSE(view.CanUndo());
  EXPECT_EQ(changes.repaints, 1);
  Move(doc->nodes[0], 5, 5);
  view.Undo();  // no second level
  EXPECT_EQ(doc->nodes[0].rect, (Rect{5, 5, 55, 35}));
  EXPECT_EQ(changes.repaints, 1);
}

TEST_F(UndoTest, TwoPressesUndoOnlyTheSecond) {
  view.TakeSnapshot(Kind::Nodes);
  Move(doc->nodes[1], 0, 1);
  view.TakeSnapshot(Kind::Nodes);
  Move(doc->nodes[1], 0, 1);
  view.Undo();
  EXPECT_EQ(doc->nodes[1].rect, (Rect{100, 1, 150, 31}));
}

TEST_F(UndoTest, DropOnAnotherPageReturnsNodeToItsPageButKeepsSelection) {
  doc->nodeStates[2].selected = 1;
  doc->focusedNode = 2;
  view.TakeSnapshot(Kind::Nodes);
  doc->nodes[2].pageId = 2;
  doc->nodes[2].rect = {10, 10, 60, 40};
  view.Undo();
  EXPECT_EQ(doc->nodes[2].pageId, 1);
  EXPECT_EQ(doc->nodes[2].rect, (Rect{200, 0, 250, 30}));
  EXPECT_EQ(doc->nodeStates[2].selected, 1);
  EXPECT_EQ(doc->focusedNode, 2);
}

TEST_F(UndoTest, CreatingDeletingOrPastingDiscards) {
  ChartViewHooks hooks(view, store);
  doc->SetHooks(&hooks);
  view.TakeSnapshot(Kind::Nodes);
  ASSERT_TRUE(doc->AddSlip("s", 10, 10));
  EXPECT_FALSE(view.CanUndo());
  view.TakeSnapshot(Kind::Slips);
  document::NodeRequest r;
  r.dataType = "PDF";
  ASSERT_TRUE(doc->AddNode(std::move(r)));
  EXPECT_FALSE(view.CanUndo());
  // Delete and paste report through the same hook.
  view.TakeSnapshot(Kind::Nodes);
  doc->Hooks().DiscardUndo();
  EXPECT_FALSE(view.CanUndo());
  doc->SetHooks(nullptr);
}

TEST_F(UndoTest, AnotherDocumentDiscardsTheRecord) {
  ChartViewHooks hooks(view, store);
  doc->SetHooks(&hooks);
  view.TakeSnapshot(Kind::Nodes);
  doc->NewDocument();
  AddNode({1, 1, 2, 2});
  view.Undo();
  EXPECT_EQ(doc->nodes[0].rect, (Rect{1, 1, 2, 2}));
  // An opened document is shown through the same path.
  view.TakeSnapshot(Kind::Nodes);
  view.DocumentShown();
  EXPECT_FALSE(view.CanUndo());
  doc->SetHooks(nullptr);
}

TEST_F(UndoTest, StyleChangeIsKeptAndSwapRestoresByPosition) {
  view.TakeSnapshot(Kind::Nodes);
  Move(doc->nodes[0], 7, 0);
  doc->nodes[0].style.FontSize = 20;
  std::swap(doc->nodes[0], doc->nodes[1]);  // drawing order swap
  view.Undo();
  EXPECT_EQ(doc->nodes[0].rect, (Rect{0, 0, 50, 30}));    // the node now first gets the first rectangle
  EXPECT_EQ(doc->nodes[1].rect, (Rect{100, 0, 150, 30}));
  EXPECT_EQ(doc->nodes[1].style.FontSize, 20);
}

TEST_F(UndoTest, SlipSnapshotReplacesNodeSnapshot) {
  AddSlip({0, 0, 40, 20});
  view.TakeSnapshot(Kind::Nodes);
  Move(doc->nodes[0], 3, 3);
  view.TakeSnapshot(Kind::Slips);
  doc->slips[0].rect = {9, 9, 49, 29};
  view.Undo();
  EXPECT_EQ(doc->slips[0].rect, (Rect{0, 0, 40, 20}));
  EXPECT_EQ(doc->nodes[0].rect, (Rect{3, 3, 53, 33}));
}

TEST_F(UndoTest, RestoresNoMoreThanTheTableHolds) {
  UndoRecord record;
  record.TakeSnapshot(*doc, Kind::Nodes);
  EXPECT_EQ(record.Count(), 3);
  doc->nodeCount = 2;
  doc->nodes[2].rect = {7, 7, 8, 8};
  Move(doc->nodes[1], 1, 1);
  EXPECT_TRUE(record.Undo(*doc));
  EXPECT_EQ(doc->nodes[1].rect, (Rect{100, 0, 150, 30}));
  EXPECT_EQ(doc->nodes[2].rect, (Rect{7, 7, 8, 8}));  // beyond the table: untouched
  EXPECT_FALSE(record.Undo(*doc));
}

}  // namespace
}  // namespace plume::chartview
