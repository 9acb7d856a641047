#include "document/ChartDocument.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/FakePicture.h"
#include "platform/Cp932.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::document {
namespace {

using platform::ScriptedMessageSink;
using platform::ScopedMessageSink;
using testing::FakePicture;

struct RecordingHooks : DefaultDocumentHooks {
  int repaints = 0, refreshes = 0, newDocs = 0;
  std::string webTitle;
  std::string WebPageTitle() override { return webTitle; }
  void NewDocumentSetUp() override { ++newDocs; }
};

class ChartDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = ChartDocument::Create(&hooks);
    ASSERT_TRUE(doc);
    doc->NewDocument();
    repaints = doc->Changes().Subscribe([this](Change change) {
      hooks.repaints += change == Change::Repaint;
      hooks.refreshes += change == Change::Focus;
    });
  }
  NodeRequest PictureRequest(int w, int h, int x, int y) {
    NodeRequest r;
    r.dataType = "JPEG";
    r.title = "t";
    r.hasImage = true;
    r.pictureWidth = w;
    r.pictureHeight = h;
    r.x = x;
    r.y = y;
    return r;
  }
  RecordingHooks hooks;
  ScriptedMessageSink sink;
  ScopedMessageSink guard{&sink};
  std::unique_ptr<ChartDocument> doc;
  DocumentChanges::Subscription repaints;
};

TEST_F(ChartDocumentTest, NewDocumentHasOneDefaultPageAndKeepsReservedWord) {
  doc->header.reserved = 0x1234;
  doc->header.dialRadius = 99;
  doc->NewDocument();
  EXPECT_EQ(doc->header.pageCount, 1);
  EXPECT_EQ(doc->header.currentPage, 0);
  EXPECT_EQ(doc->header.dialRadius, 70);
  EXPECT_EQ(doc->header.reserved, 0x1234);
  const PageRecord& page = doc->pages[0];
  EXPECT_EQ(page.pageId, 1);
  EXPECT_EQ(page.pageWidth, 1000);
  EXPECT_EQ(page.pageHeight, 1000);
  EXPECT_EQ(page.backColor, 0x00FFFFFF);
  EXPECT_EQ(page.tabBackColor, 0x00FFFFFF);
  EXPECT_EQ(page.tabTextColor, 0);
  EXPECT_EQ(platform::Cp932ToUtf8(page.pageName), "ページ1");
  EXPECT_EQ(hooks.newDocs, 2);
}

TEST_F(ChartDocumentTest, NodeIdsFollowTheHighestIdEvenWithGaps) {
  EXPECT_EQ(doc->NewNodeId(), 1);
  ASSERT_TRUE(doc->AddNode({}));
  doc->nodes[0].nodeId = 3;
  ASSERT_TRUE(doc->AddNode({}));
  doc->nodes[1].nodeId = 7;
  EXPECT_EQ(doc->NewNodeId(), 8);
  ASSERT_TRUE(doc->AddNode({}));
  EXPECT_EQ(doc->nodes[2].nodeId, 8);
}

TEST_F(ChartDocumentTest, RefusesNodesAndSlipsBeyondCapacity) {
  doc->nodeCount = ChartDocument::kMaxNodes;
  EXPECT_FALSE(doc->AddNode({}));
  EXPECT_EQ(doc->nodeCount, ChartDocument::kMaxNodes);
  doc->slipCount = ChartDocument::kMaxSlips;
  EXPECT_FALSE(doc->AddSlip("x", 0, 0));
  EXPECT_EQ(doc->slipCount, ChartDocument::kMaxSlips);
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30014, 30062}));
  EXPECT_EQ(sink.Messages()[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(sink.Messages()[0].caption, "Plumeboard");
  doc->nodeCount = 0;  // nothing real lies in the tables
  doc->slipCount = 0;
}

TEST_F(ChartDocumentTest, PictureNodesAreScaledAndMovedIntoThePage) {
  ASSERT_TRUE(doc->AddNode(PictureRequest(3000, 500, 400, 400)));
  EXPECT_EQ(doc->nodes[0].rect, (Rect{0, 0, 1000, 166}));
  ASSERT_TRUE(doc->AddNode(PictureRequest(200, 100, 990, 500)));
  EXPECT_EQ(doc->nodes[1].rect, (Rect{800, 450, 1000, 550}));
  ASSERT_TRUE(doc->AddNode(PictureRequest(100, 4000, 0, 0)));
  EXPECT_EQ(doc->nodes[2].rect, (Rect{0, 0, 25, 1000}));
  ASSERT_TRUE(doc->AddNode(PictureRequest(100, 100, 10, 10)));
  EXPECT_EQ(doc->nodes[3].rect, (Rect{0, 0, 100, 100}));
}

TEST_F(ChartDocumentTest, NewNodeTakesRequestDefaultsAndBecomesTheFocus) {
  NodeRequest r = PictureRequest(10, 10, 50, 50);
  r.dataType = "TIFFX";
  r.serial = 1234;
  r.transColor = 0x00FF00;
  r.picture = std::make_unique<FakePicture>(10, 10, platform::Bytes{});
  ASSERT_TRUE(doc->AddNode(std::move(r)));
  const NodeRecord& n = doc->nodes[0];
  EXPECT_STREQ(n.dataType, "TIFF");
  EXPECT_EQ(n.serial, 1234);
  EXPECT_EQ(n.pageId, 1);
  EXPECT_EQ(n.titlePos, 2);
  EXPECT_EQ(n.style.refMen, kNoColor);
  EXPECT_EQ(n.style.refWaku, kNoColor);
  EXPECT_EQ(n.style.FontSize, 8);
  EXPECT_NE(doc->NodePicture(0), nullptr);
  EXPECT_EQ(doc->nodeStates[0].selected, 1);
  EXPECT_EQ(doc->focusedNode, 0);
  EXPECT_EQ(hooks.refreshes, 1);
  // The command that asked for the node repaints (once for many) and commits the step.
  EXPECT_EQ(hooks.repaints, 0);
  EXPECT_FALSE(doc->History().CanUndo());
}

TEST_F(ChartDocumentTest, EmptyTitleTakesTheWebPageTitleCutOnACharacterBoundary) {
  // 99 single bytes then a double-byte character: 101 bytes, cut to 99.
  hooks.webTitle = std::string(99, 'a') + platform::Utf8ToCp932("あ");
  ASSERT_TRUE(doc->AddNode({}));
  EXPECT_EQ(std::strlen(doc->nodes[0].title), 99u);
}

TEST_F(ChartDocumentTest, SharedPictureIsReleasedOnce) {
  FakePicture::live = 0;
  NodeRequest r = PictureRequest(10, 10, 50, 50);
  r.picture = std::make_unique<FakePicture>(10, 10, platform::Bytes{});
  ASSERT_TRUE(doc->AddNode(std::move(r)));
  ASSERT_TRUE(doc->AddNode(PictureRequest(10, 10, 80, 80)));
  doc->nodes[1].image = doc->nodes[0].image;  // as a paste of the same object would
  EXPECT_EQ(FakePicture::live, 1);
  doc->Clear();
  EXPECT_EQ(FakePicture::live, 0);
  EXPECT_EQ(doc->pictures.Count(), 0u);
  EXPECT_EQ(doc->nodeCount, 0);
}

TEST_F(ChartDocumentTest, ClearSelectionDropsEveryMarkAndTheFocus) {
  ASSERT_TRUE(doc->AddNode({}));
  ASSERT_TRUE(doc->AddSlip("s", 1, 1));
  doc->ClearSelection();
  EXPECT_EQ(doc->nodeStates[0].selected, 0);
  EXPECT_EQ(doc->slips[0].selected, 0);
  EXPECT_EQ(doc->focusedNode, -1);
  EXPECT_EQ(doc->focusedSlip, -1);
}

TEST_F(ChartDocumentTest, NewPageIdIsOneAboveTheHighest) {
  doc->header.pageCount = 3;
  doc->pages[1].pageId = 9;
  doc->pages[2].pageId = 4;
  EXPECT_EQ(doc->NewPageId(), 10);
}

}  // namespace
}  // namespace plume::document
