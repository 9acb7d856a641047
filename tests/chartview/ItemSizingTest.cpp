// Resizing items by their handles, the page edges and the dial, replayed
// through the view controller at zoom 100 % and no scroll (client = screen).

#include <gtest/gtest.h>

#include <fstream>

#include "EditingFixture.h"
#include "chartview/NodePictureReloader.h"

namespace plume::chartview::testing {
namespace {

using document::Rect;
namespace KanSet = platform::settings::KanSet;

class ItemSizing : public EditingFixture {};

TEST_F(ItemSizing, PictureNodeByRightHandleKeepsItsAspectOnlyWhenSet) {
  for (const int keep : {1, 0}) {
    Set(KanSet::TateYokoKotei, keep);
    doc->nodeCount = 0;
    const int n = Node({100, 100, 200, 150});
    doc->nodes[n].hasImage = 1;
    Select(n);
    // Handle 5 (middle of the right edge) of the rect grown by its frame: (201, 125).
    DragFromTo(201, 125, 300, 125);
    const Rect expected = keep ? Rect{100, 100, 300, 200} : Rect{100, 100, 300, 150};
    EXPECT_EQ(doc->nodes[n].rect, expected) << "TateYokoKotei " << keep;
  }
}

TEST_F(ItemSizing, SelectedTextNodesScaleByTheFocusedNodesFactors) {
  const int a = Node({100, 100, 200, 150});
  const int b = Node({400, 300, 500, 400});
  Select(b);
  Select(a);
  doc->History().Reset(*doc);
  // Left-top handle of a to (0, 75): width 100 -> 200, height 50 -> 75.
  DragFromTo(99, 99, 0, 75);
  EXPECT_EQ(doc->nodes[a].rect, (Rect{0, 75, 200, 150}));
  EXPECT_EQ(doc->nodes[b].rect, (Rect{300, 250, 500, 400})) << "keeps its own right and bottom";
  EXPECT_EQ(host.modified, 1);
  ASSERT_TRUE(view.CanUndo());
  view.Undo();
  EXPECT_EQ(doc->nodes[a].rect, (Rect{100, 100, 200, 150}));
  EXPECT_EQ(doc->nodes[b].rect, (Rect{400, 300, 500, 400}));
}

TEST_F(ItemSizing, PictureNodeAtALowerIndexLinksTheFactorsOfTheTextNodesAfterIt) {
  const int picture = Node({600, 600, 700, 650});
  doc->nodes[picture].hasImage = 1;
  const int a = Node({100, 100, 200, 150});
  const int b = Node({400, 300, 500, 400});
  Select(picture);
  Select(b);
  Select(a);
  DragFromTo(99, 99, 0, 75);  // sx 2, sy 1.5 -> both 2 from the picture node on
  EXPECT_EQ(doc->nodes[picture].rect, (Rect{500, 550, 700, 650}));
  EXPECT_EQ(doc->nodes[a].rect, (Rect{0, 50, 200, 150}));
  EXPECT_EQ(doc->nodes[b].rect, (Rect{300, 200, 500, 400}));
}

TEST_F(ItemSizing, EdgesStopAtTheMinimumSizeAndAtThePage) {
  const int n = Node({100, 100, 200, 150});
  Select(n);
  DragFromTo(201, 151, -300, -300);  // right-bottom handle far up-left
  EXPECT_EQ(doc->nodes[n].rect, (Rect{100, 100, 120, 110}));
  EXPECT_EQ(host.cursor, CursorRole::Arrow) << "the release restores the arrow";

  DragFromTo(121, 111, 4000, 4000);  // and far down-right: the page is 1000 x 1000
  EXPECT_EQ(doc->nodes[n].rect, (Rect{100, 100, 1000, 1000}));
}

TEST_F(ItemSizing, FeedbackFollowsThePointerWithoutRepaintingThePage) {
  const int n = Node({100, 100, 200, 150});
  Select(n);
  Press(201, 125);
  Drag(260, 125);
  EXPECT_EQ(host.repaints, 0);
  EXPECT_EQ(host.lastFeedback, (platform::IntRect{100, 100, 260, 150}));
  EXPECT_EQ(host.cursor, CursorRole::SizeHorizontal);
  Drag(1200, 125);
  EXPECT_EQ(host.cursor, CursorRole::NotHere);
  Release(1200, 125);
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(ItemSizing, NodesAreFittedIntoThePageButSlipsAreNot) {
  const int s1 = Slip({100, 100, 200, 150});
  const int s2 = Slip({850, 300, 950, 350});
  SelectSlip(s2);
  SelectSlip(s1);
  DragFromTo(201, 125, 300, 125);  // width x 2
  EXPECT_EQ(doc->slips[s1].rect, (Rect{100, 100, 300, 150}));
  EXPECT_EQ(doc->slips[s2].rect, (Rect{850, 300, 1050, 350})) << "slips are left where the factors put them";
  EXPECT_EQ(doc->History().NextUndo(), document::EditStep::Resize);

  doc->ClearSelection();
  const int n1 = Node({100, 500, 200, 550});
  const int n2 = Node({850, 700, 950, 750});
  Select(n2);
  Select(n1);
  DragFromTo(201, 525, 300, 525);
  EXPECT_EQ(doc->nodes[n2].rect, (Rect{800, 700, 1000, 750})) << "pushed back into the page";
}

TEST_F(ItemSizing, PictureNodesAreRedrawnAtTheirNewSizeAfterAResize) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "plume_item_sizing.JPEG";
  std::ofstream(file) << "x";
  materials.file = file;
  const int n = Node({100, 100, 200, 150});
  doc->nodes[n].hasImage = 1;
  platform::CopyToField(doc->nodes[n].dataType, "JPEG");
  Select(n);
  DragFromTo(201, 125, 300, 125);
  EXPECT_EQ(loader.redraw, "jpeg 200x100");
  ASSERT_NE(doc->NodePicture(n), nullptr);
  EXPECT_EQ(doc->NodePicture(n)->Width(), 200);

  loader.redraw.clear();
  Set(KanSet::RefleshPic, 0);
  DragFromTo(301, 150, 400, 150);
  EXPECT_EQ(loader.redraw, "") << "RefleshPic 0 keeps the old picture";
  std::filesystem::remove(file);
}

TEST_F(ItemSizing, PageEdgeStopsAtTheRightmostItemAndAtTheLimits) {
  Node({100, 100, 700, 200});
  DragFromTo(1000, 500, 300, 500);
  EXPECT_EQ(doc->CurrentPage().pageWidth, 700);
  EXPECT_EQ(host.pagesShown, 1) << "scroll range and repaint";
  DragFromTo(700, 500, 6000, 500);
  EXPECT_EQ(doc->CurrentPage().pageWidth, 5000);
  // The bottom edge of an empty area stops at 500.
  DragFromTo(500, 1000, 500, 100);
  EXPECT_EQ(doc->CurrentPage().pageHeight, 500);
  EXPECT_EQ(host.modified, 3);
}

TEST_F(ItemSizing, PageEdgeReleasedWithinOnePixelChangesNothing) {
  Press(1000, 500);
  Drag(900, 500);
  EXPECT_GT(host.feedbacks, 0);
  Release(1001, 500);
  EXPECT_EQ(doc->CurrentPage().pageWidth, 1000);
  EXPECT_EQ(host.modified, 0);
}

TEST_F(ItemSizing, PageEdgeAtAFractionalZoomNeverCutsTheItem) {
  view.SetZoom(1.5f);
  host.modified = 0;
  Node({100, 100, 601, 200});  // right edge 601 -> 901 screen pixels (901.5)
  // Right edge zone of the 1000-unit page at 1.5: x = 1500 screen pixels.
  DragFromTo(1500, 300, 600, 300);
  EXPECT_GE(doc->CurrentPage().pageWidth, 601);
}

class Dial : public ItemSizing {
 protected:
  void SetUp() override {
    centre = Node({400, 400, 500, 500});  // centre (450, 450)
    near = Node({530, 430, 570, 470});    // centre (550, 450): 100 to the right
    far = Node({430, 30, 470, 70});       // centre (450, 50): 400 above
    loose = Node({100, 800, 140, 840});   // not joined
    other = Node({530, 430, 570, 470}, 2);
    AddArc(centre, near);
    AddArc(far, centre);
    AddArc(centre, other);
    Select(centre);
    doc->header.dialRadius = 70;
    doc->History().Reset(*doc);
  }
  int centre = 0, near = 0, far = 0, loose = 0, other = 0;
};

TEST_F(Dial, KnobDragHoldsTheRadiusBetween40And140) {
  Press(520, 450);  // the knob at (C.x + 70, C.y)
  ASSERT_EQ(edit.Mode(), DragMode::DialRadius);
  Drag(900, 450);
  EXPECT_EQ(doc->header.dialRadius, 140);
  Drag(0, 450);
  EXPECT_EQ(doc->header.dialRadius, 40);
  Drag(550, 450);
  EXPECT_EQ(doc->header.dialRadius, 100);
  Release(550, 450);
  EXPECT_EQ(edit.Mode(), DragMode::None);
  EXPECT_GT(host.modified, 0);
  ASSERT_EQ(doc->History().UndoCount(), 1) << "the whole drag is one step";
  view.Undo();
  EXPECT_EQ(doc->header.dialRadius, 70);
}

TEST_F(Dial, QuarterTurnAtTwiceTheRadiusTurnsAndDoublesInsideThePage) {
  // Press on the ring below the centre (90 degrees), release to the left
  // (180 degrees) at distance 140 = 2 x radius.
  DragFromTo(450, 520, 310, 450);
  EXPECT_EQ(doc->nodes[near].rect, (Rect{430, 630, 470, 670})) << "100 right -> 200 below";
  EXPECT_EQ(doc->nodes[far].rect, (Rect{960, 430, 1000, 470})) << "800 right would leave the page";
  EXPECT_EQ(doc->nodes[loose].rect, (Rect{100, 800, 140, 840}));
  EXPECT_EQ(doc->nodes[other].rect, (Rect{530, 430, 570, 470})) << "joined but on another page";
  EXPECT_EQ(doc->nodes[centre].rect, (Rect{400, 400, 500, 500}));
  ASSERT_TRUE(view.CanUndo());
  view.Undo();
  EXPECT_EQ(doc->nodes[near].rect, (Rect{530, 430, 570, 470}));
}

TEST_F(Dial, RingIsHitOnlyWithAJoinedNodeOnThePage) {
  EXPECT_TRUE(editing.DialRingHit({450, 520}));
  EXPECT_TRUE(editing.DialRingHit({450, 515}));
  EXPECT_FALSE(editing.DialRingHit({450, 526}));
  doc->arcCount = 0;
  AddArc(centre, other);
  EXPECT_FALSE(editing.DialRingHit({450, 520}));
  EXPECT_TRUE(editing.DialKnobHit({520, 450})) << "the knob needs only a focused node";
}

class PictureReload : public EditingFixture {
 protected:
  void SetUp() override {
    file = std::filesystem::temp_directory_path() / "plume_reload.PNG";
    std::ofstream(file) << "x";
    n = Node({0, 0, 80, 40});
    doc->nodes[n].hasImage = 1;
    platform::CopyToField(doc->nodes[n].dataType, "PNG");
  }
  void TearDown() override { std::filesystem::remove(file); }
  bool Reload() { return NodePictureReloader(*doc, materials, loader).ReloadNodePicture(n, true); }
  std::filesystem::path file;
  int n = 0;
};

TEST_F(PictureReload, UnknownMaterialOrMissingFileReports30038) {
  EXPECT_FALSE(Reload());
  materials.file = file.string() + ".gone";
  EXPECT_FALSE(Reload());
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30038, 30038}));
}

TEST_F(PictureReload, UnloadablePictureKeepsTheNodesPicture) {
  materials.file = file;
  doc->nodes[n].transColor = 0x00FF00FF;
  doc->nodes[n].image = doc->pictures.Add(std::make_unique<plume::testing::FakePicture>(5, 5, platform::Bytes{}));
  const platform::Picture* before = doc->NodePicture(n);
  document::NoPictureLoader none;
  EXPECT_FALSE(NodePictureReloader(*doc, materials, none).ReloadNodePicture(n, true));
  EXPECT_EQ(sink.Last().id, 30028);
  EXPECT_EQ(sink.Last().prefix, "[サイズ調整]\n");
  EXPECT_EQ(doc->NodePicture(n), before);
  EXPECT_EQ(doc->nodes[n].transColor, 0x00FF00FF);
  loader.loads = true;
  loader.foundTrans = 0x00FFFFFF;
  EXPECT_TRUE(Reload());
  EXPECT_NE(doc->NodePicture(n), nullptr);
  EXPECT_EQ(doc->pictures.Count(), 1u) << "the old picture is released once the new one is in";
  EXPECT_EQ(doc->nodes[n].hasImage, 1);
  EXPECT_EQ(doc->nodes[n].rect, (Rect{0, 0, 80, 40}));
}

TEST_F(PictureReload, TransparentPicturesAreStretchedOthersResampled) {
  materials.file = file;
  EXPECT_TRUE(Reload());
  EXPECT_EQ(loader.redraw, "jpeg 80x40");
  loader.foundTrans = 0x00FFFFFF;
  EXPECT_TRUE(Reload());
  EXPECT_EQ(loader.redraw, "stretch 80x40");
  EXPECT_EQ(doc->nodes[n].transColor, 0x00FFFFFF);
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(PictureReload, APictureSharedWithAnotherNodeStaysForIt) {
  materials.file = file;
  const auto shared = doc->pictures.Add(std::make_unique<plume::testing::FakePicture>(5, 5, platform::Bytes{}));
  doc->nodes[n].image = shared;
  const int twin = Node({100, 0, 180, 40});
  doc->nodes[twin].hasImage = 1;
  doc->nodes[twin].image = shared;
  EXPECT_TRUE(Reload());
  EXPECT_NE(doc->NodePicture(twin), nullptr);
}

}  // namespace
}  // namespace plume::chartview::testing
