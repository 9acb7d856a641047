// Undo and redo through the chart view: steps of item geometry, styles,
// drawing order and table sizes, and the history of another document.

#include <gtest/gtest.h>

#include <utility>

#include "../support/ChartViewNulls.h"
#include "ChartFixture.h"
#include "chartview/ChartView.h"
#include "chartview/ChartViewHooks.h"
#include "platform/MemorySettingsStore.h"

namespace plume::chartview {
namespace {

using document::EditStep;
using document::Rect;

void Move(document::NodeRecord& n, int dx, int dy) {
  n.rect = {n.rect.left + dx, n.rect.top + dy, n.rect.right + dx, n.rect.bottom + dy};
}

class UndoTest : public ::testing::Test, protected testing::ChartFixture {
 protected:
  UndoTest() {
    for (int i = 0; i < 3; ++i) AddNode({100 * i, 0, 100 * i + 50, 30});
    doc->History().Reset(*doc);
  }
  WindowlessHost host;
  plume::testing::ChangeCounter changes{*doc};
  platform::MemorySettingsStore store;
  ChartView view{*doc, store, host};
};

TEST_F(UndoTest, ArrowMoveOfThreeNodesIsOneStepBackAndForth) {
  for (int i = 0; i < 3; ++i) Move(doc->nodes[i], 1, 0);
  doc->CommitEdit(EditStep::Move);
  ASSERT_TRUE(view.CanUndo());
  ASSERT_TRUE(view.Undo());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(doc->nodes[i].rect, (Rect{100 * i, 0, 100 * i + 50, 30}));
  EXPECT_FALSE(view.CanUndo());
  EXPECT_EQ(changes.erased, 1);
  EXPECT_FALSE(view.Undo());
  ASSERT_TRUE(view.Redo());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(doc->nodes[i].rect, (Rect{100 * i + 1, 0, 100 * i + 51, 30}));
  EXPECT_FALSE(view.CanRedo());
}

TEST_F(UndoTest, TwoPressesUndoOnlyTheSecond) {
  Move(doc->nodes[1], 0, 1);
  doc->CommitEdit(EditStep::Move);
  Move(doc->nodes[1], 0, 1);
  doc->CommitEdit(EditStep::Move);
  view.Undo();
  EXPECT_EQ(doc->nodes[1].rect, (Rect{100, 1, 150, 31}));
}

TEST_F(UndoTest, DropOnAnotherPageReturnsNodeToItsPageWithTheSelectionOfThatMoment) {
  doc->nodeStates[2].selected = 1;
  doc->focusedNode = 2;
  doc->Changes().FocusChanged();
  doc->nodes[2].pageId = 2;
  doc->nodes[2].rect = {10, 10, 60, 40};
  doc->ClearSelection();
  doc->CommitEdit(EditStep::Move);
  view.Undo();
  EXPECT_EQ(doc->nodes[2].pageId, 1);
  EXPECT_EQ(doc->nodes[2].rect, (Rect{200, 0, 250, 30}));
  EXPECT_EQ(doc->nodeStates[2].selected, 1);
  EXPECT_EQ(doc->focusedNode, 2);
}

TEST_F(UndoTest, ANewSlipIsAStepAndAPageSwitchAloneIsNone) {
  ASSERT_TRUE(doc->AddSlip("s", 10, 10));
  doc->CommitEdit(EditStep::NewSlip);
  doc->header.currentPage = 1;
  doc->CommitEdit(EditStep::Move);
  EXPECT_EQ(doc->History().UndoCount(), 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(doc->slipCount, 0);
  EXPECT_EQ(doc->header.currentPage, 0) << "the page of the step";
}

TEST_F(UndoTest, AnotherDocumentStartsAFreshHistory) {
  ChartViewHooks hooks(view, store);
  doc->SetHooks(&hooks);
  Move(doc->nodes[0], 5, 5);
  doc->CommitEdit(EditStep::Move);
  doc->NewDocument();
  EXPECT_FALSE(view.CanUndo());
  AddNode({1, 1, 2, 2});
  doc->CommitEdit(EditStep::NewNode);
  // An opened document is shown through the same path.
  view.DocumentShown();
  EXPECT_FALSE(view.CanUndo());
  EXPECT_FALSE(view.Undo());
  EXPECT_EQ(doc->nodes[0].rect, (Rect{1, 1, 2, 2}));
  doc->SetHooks(nullptr);
}

TEST_F(UndoTest, MoveStyleAndSwapComeBackOneByOne) {
  Move(doc->nodes[0], 7, 0);
  doc->CommitEdit(EditStep::Move);
  doc->nodes[0].style.FontSize = 20;
  doc->CommitEdit(EditStep::Style);
  std::swap(doc->nodes[0], doc->nodes[1]);
  doc->CommitEdit(EditStep::DrawingOrder);
  view.Undo();
  EXPECT_EQ(doc->nodes[0].rect, (Rect{7, 0, 57, 30}));  // each node keeps its own rectangle
  EXPECT_EQ(doc->nodes[1].rect, (Rect{100, 0, 150, 30}));
  EXPECT_EQ(doc->nodes[0].style.FontSize, 20);
  view.Undo();
  EXPECT_EQ(doc->nodes[0].style.FontSize, document::DefaultItemStyle().FontSize);
  view.Undo();
  EXPECT_EQ(doc->nodes[0].rect, (Rect{0, 0, 50, 30}));
}

TEST_F(UndoTest, NodeAndSlipStepsUndoInTurn) {
  AddSlip({0, 0, 40, 20});
  doc->History().Reset(*doc);
  Move(doc->nodes[0], 3, 3);
  doc->CommitEdit(EditStep::Move);
  doc->slips[0].rect = {9, 9, 49, 29};
  doc->CommitEdit(EditStep::Move);
  view.Undo();
  EXPECT_EQ(doc->slips[0].rect, (Rect{0, 0, 40, 20}));
  EXPECT_EQ(doc->nodes[0].rect, (Rect{3, 3, 53, 33}));
  view.Undo();
  EXPECT_EQ(doc->nodes[0].rect, (Rect{0, 0, 50, 30}));
}

TEST_F(UndoTest, TablesComeBackToTheirRecordedCounts) {
  doc->nodeCount = 2;
  Move(doc->nodes[1], 1, 1);
  doc->CommitEdit(EditStep::DeleteNodes);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(doc->nodeCount, 3);
  EXPECT_EQ(doc->nodes[1].rect, (Rect{100, 0, 150, 30}));
  EXPECT_EQ(doc->nodes[2].rect, (Rect{200, 0, 250, 30}));
  EXPECT_FALSE(view.Undo());
}

}  // namespace
}  // namespace plume::chartview
