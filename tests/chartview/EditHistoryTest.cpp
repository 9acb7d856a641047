// Undo and redo of every kind of edit, replayed through the commands and the
// view controller, compared as the bytes the chart file writer gives.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "EditingFixture.h"
#include "FakeEditHost.h"
#include "chartview/AlignCommands.h"
#include "chartview/ItemCommands.h"
#include "chartview/NodePropertyRules.h"
#include "chartview/StyleCommands.h"
#include "document/ChartFile.h"
#include "document/PageTabs.h"

namespace plume::chartview::testing {
namespace {

using document::EditStep;
using document::Rect;
using platform::MsgResult;
using S = StyleCommands;

struct ItemHost : plume::testing::NullItemCommandHost {
  std::optional<std::string> EditText(const std::string&, bool) override { return "renamed"; }
};

struct TabsHost : document::PageTabsHost {
  std::optional<std::string> AskPageName(std::string_view) override { return "P3"; }
  void CurrentScroll(int& x, int& y) override { x = y = 0; }
  void CurrentPageChanged() override {}
  void ClearItemClipboard() override {}
  void DeleteMaterial(const document::NodeRecord&) override {}
};

class EditHistoryTest : public EditingFixture {
 public:
  /// Page 1: a picture node joined to a text node, and a slip; page 2: a node.
  EditHistoryTest() {
    picture = Node({100, 100, 200, 160});
    doc->nodes[picture].hasImage = 1;
    doc->nodes[picture].image =
        doc->pictures.Add(std::make_unique<plume::testing::FakePicture>(10, 10, plume::testing::FakeImageBytes(10, 10, 3)));
    text = Node({300, 100, 400, 160});
    Node({100, 100, 200, 160}, 2);
    AddArc(picture, text);
    slip = Slip({100, 300, 200, 360});
    doc->History().Reset(*doc);
  }

  std::string Bytes() const {
    std::ostringstream out;
    EXPECT_TRUE(document::WriteChart(*doc, out));
    return out.str();
  }
  void SelectBoth() {
    Select(picture);
    Select(text);
  }

  int picture = 0, text = 0, slip = 0;
  ItemHost itemHost;
  plume::testing::FakePictureCodec codec;
  ItemCommands items{view, itemHost, nullptr, &codec};
  FakeEditHost editHost{*doc};
  RibbonStyleState styleState;
  StyleCommands styles{*doc, editHost, styleState};
  TabsHost tabsHost;
  document::PageTabs tabs{*doc, tabsHost};
};

/// A world of its own for each row of the table.
struct Fresh final : EditHistoryTest {
  void TestBody() override {}
};

struct Case {
  const char* name;
  EditStep step;
  std::function<void(EditHistoryTest&)> edit;
  std::function<void(EditHistoryTest&)> prepare = nullptr;  ///< before the bytes are taken
};

const Case kCases[] = {
    {"drag", EditStep::Move, [](EditHistoryTest& t) { t.DragFromTo(150, 130, 250, 230); }},
    {"handle", EditStep::Resize,
     [](EditHistoryTest& t) {
       t.Select(t.text);
       t.DragFromTo(401, 130, 450, 130);
     }},
    {"dial ring", EditStep::DialTurn,
     [](EditHistoryTest& t) {
       t.Select(t.picture);
       t.DragFromTo(150, 200, 80, 130);
     }},
    {"dial knob", EditStep::DialSize,
     [](EditHistoryTest& t) {
       t.Select(t.picture);
       t.DragFromTo(220, 130, 260, 130);
     }},
    {"align left", EditStep::Align,
     [](EditHistoryTest& t) {
       t.SelectBoth();
       AlignCommands(*t.doc).Run(AlignOp::Left);
     }},
    {"material node", EditStep::NewNode,
     [](EditHistoryTest& t) { t.items.PasteMaterials({{"PDF", 7, "new", 0, 0}}); }},
    {"new slip", EditStep::NewSlip, [](EditHistoryTest& t) { t.items.NewSlip(); }},
    {"arc drop", EditStep::Arcs, [](EditHistoryTest& t) { t.DragFromTo(350, 130, 150, 130); }},
    {"delete picture node", EditStep::DeleteNodes,
     [](EditHistoryTest& t) {
       t.Select(t.picture);
       t.sink.Answer(MsgResult::No);
       t.items.DeleteNodes();
     }},
    {"delete slip", EditStep::DeleteSlips,
     [](EditHistoryTest& t) {
       t.SelectSlip(t.slip);
       t.sink.Answer(MsgResult::Yes);
       t.items.DeleteSlips();
     }},
    {"copy and paste", EditStep::Paste,
     [](EditHistoryTest& t) {
       t.Select(t.picture);
       t.items.CopyNodes();
       t.items.Paste();
     }},
    {"title dialog", EditStep::Text,
     [](EditHistoryTest& t) {
       t.Select(t.text);
       t.items.TextEdit();
     }},
    {"bold", EditStep::Style,
     [](EditHistoryTest& t) {
       t.Select(t.text);
       t.styles.Run(S::kFontBold);
     }},
    {"node properties", EditStep::Properties,
     [](EditHistoryTest& t) {
       t.Select(t.picture);
       SetTitlePosOfSelected(*t.doc, 1);
       t.doc->History().Record(*t.doc, EditStep::Properties, 1);
     }},
    {"drawing order", EditStep::DrawingOrder,
     [](EditHistoryTest& t) {
       t.SelectBoth();
       t.items.SwapOrder();
     }},
    {"transparent white", EditStep::TransparentColour,
     [](EditHistoryTest& t) {
       t.Select(t.picture);
       t.styles.SetTransparentColour(S::kTransWhite);
     }},
    {"page background", EditStep::PageColour,
     [](EditHistoryTest& t) {
       t.styleState.fillColour = 0x123456;
       t.styles.Run(S::kFillColour);
     }},
    {"tab colour", EditStep::PageColour, [](EditHistoryTest& t) { t.tabs.SetTabBackColor(0x00FF00); }},
    {"page add", EditStep::PageAdd, [](EditHistoryTest& t) { t.tabs.AddPage(true); }},
    {"page delete", EditStep::PageDelete,
     [](EditHistoryTest& t) {
       t.sink.Answer(MsgResult::No);
       t.tabs.DeleteCurrentPage();
     },
     [](EditHistoryTest& t) { t.tabs.RightClick(1); }},
    {"page rename", EditStep::PageRename, [](EditHistoryTest& t) { t.tabs.RenamePage(); }},
    {"page move", EditStep::PageMove, [](EditHistoryTest& t) { t.tabs.MoveRight(); }},
    {"page edge", EditStep::PageSize, [](EditHistoryTest& t) { t.DragFromTo(1000, 500, 1200, 500); }},
};

TEST_F(EditHistoryTest, EveryKindOfEditIsOneStepUndoneAndRedoneToTheSameBytes) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Fresh t;
    if (c.prepare) c.prepare(t);
    const std::string before = t.Bytes();
    c.edit(t);
    const std::string after = t.Bytes();
    ASSERT_NE(after, before) << "the edit changed nothing";
    ASSERT_EQ(t.doc->History().UndoCount(), 1);
    EXPECT_EQ(t.doc->History().NextUndo(), c.step);
    ASSERT_TRUE(t.view.Undo());
    EXPECT_EQ(t.Bytes(), before);
    EXPECT_FALSE(t.doc->Changes().IsModified()) << "back at the state it was opened in";
    ASSERT_TRUE(t.view.Redo());
    EXPECT_EQ(t.Bytes(), after);
    EXPECT_TRUE(t.doc->Changes().IsModified());
    ASSERT_TRUE(t.view.Undo());
    EXPECT_EQ(t.Bytes(), before);
  }
}

TEST_F(EditHistoryTest, AnUndoneDeletionGetsItsOwnPictureBackNotACopy) {
  platform::Picture* const shown = doc->NodePicture(picture);
  const int live = plume::testing::FakePicture::live;
  Select(picture);
  sink.Answer(MsgResult::No);
  items.DeleteNodes();
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(doc->NodePicture(picture), shown);
  EXPECT_EQ(plume::testing::FakePicture::live, live);
}

TEST_F(EditHistoryTest, ANewEditDropsWhatCouldBeRedone) {
  DragFromTo(150, 130, 250, 230);
  DragFromTo(250, 230, 300, 300);
  ASSERT_TRUE(view.Undo());
  EXPECT_TRUE(view.CanRedo());
  Select(text);
  styles.Run(S::kFontBold);
  EXPECT_FALSE(view.CanRedo());
  EXPECT_EQ(doc->History().UndoCount(), 2);
  ASSERT_TRUE(view.Undo());
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(doc->nodes[picture].rect, (Rect{100, 100, 200, 160}));
}

TEST_F(EditHistoryTest, TheHistoryKeepsTheLastHundredSteps) {
  const int steps = document::EditHistory::kMaxSteps + 20;
  for (int i = 0; i < steps; ++i) {
    doc->nodes[text].rect.left += 1;
    doc->CommitEdit(EditStep::Move);
  }
  EXPECT_EQ(doc->History().UndoCount(), document::EditHistory::kMaxSteps);
  while (view.Undo()) {
  }
  EXPECT_EQ(doc->nodes[text].rect.left, 300 + steps - document::EditHistory::kMaxSteps);
  EXPECT_TRUE(doc->Changes().IsModified()) << "the opened state is out of reach";
}

TEST_F(EditHistoryTest, AStepOnAnotherPageShowsThatPage) {
  DragFromTo(150, 130, 250, 230);
  tabs.Click(1);
  ASSERT_EQ(doc->header.currentPage, 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(doc->header.currentPage, 0);
  tabs.Click(1);
  ASSERT_TRUE(view.Redo());
  EXPECT_EQ(doc->header.currentPage, 0);
  EXPECT_EQ(doc->nodes[picture].rect, (Rect{200, 200, 300, 260}));
}

TEST_F(EditHistoryTest, UndoAfterADrawingOrderSwapGivesEachNodeItsOwnRectangle) {
  SelectBoth();
  DragFromTo(350, 130, 350, 230);  // both move down by 100
  items.SwapOrder();
  ASSERT_TRUE(view.Undo());
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(doc->nodes[picture].rect, (Rect{100, 100, 200, 160}));
  EXPECT_EQ(doc->nodes[text].rect, (Rect{300, 100, 400, 160}));
}

TEST_F(EditHistoryTest, SavingMakesThePresentStateTheUnmodifiedOne) {
  DragFromTo(150, 130, 250, 230);
  doc->Changes().SetModified(false);  // saved
  ASSERT_TRUE(view.Undo());
  EXPECT_TRUE(doc->Changes().IsModified());
  ASSERT_TRUE(view.Redo());
  EXPECT_FALSE(doc->Changes().IsModified());
}

TEST_F(EditHistoryTest, DeletingWithTheMaterialsEndsTheHistory) {
  DragFromTo(150, 130, 250, 230);
  sink.Answer(MsgResult::Yes);
  items.DeleteNodes();
  EXPECT_FALSE(view.CanUndo());
  EXPECT_TRUE(doc->Changes().IsModified());
  DragFromTo(350, 130, 350, 230);
  tabs.RightClick(1);
  sink.Answer(MsgResult::Yes);
  ASSERT_TRUE(tabs.DeleteCurrentPage());
  EXPECT_FALSE(view.CanUndo());
}

TEST_F(EditHistoryTest, NoUndoWhileATextIsEditedInPlace) {
  DragFromTo(150, 130, 250, 230);
  view.SetEditTarget(1);
  EXPECT_FALSE(view.CanUndo());
  EXPECT_FALSE(view.Undo());
  view.SetEditTarget(0);
  EXPECT_TRUE(view.Undo());
}

}  // namespace
}  // namespace plume::chartview::testing
