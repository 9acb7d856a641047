#include "chartview/ItemCommands.h"

#include <gtest/gtest.h>

#include "ControllerFixture.h"
#include <functional>
#include <sstream>

#include "document/ChartFile.h"
#include "support/FakePicture.h"

namespace plume::chartview {
namespace {

using document::Rect;
using platform::MsgResult;

class FakeItemHost : public ::plume::testing::NullItemCommandHost {
 public:
  FakeItemHost(ViewController& controller, document::ChartDocument& doc)
      : controller_(controller), changes_(doc, &modified) {}
  platform::Point MenuPoint() override { return controller_.MenuPoint(); }
  bool InlineEditorOpen() override { return editorOpen; }
  void CloseInlineEditor() override {
    editorOpen = false;
    ++editorClosed;
  }
  std::optional<std::string> ClipboardText() override { return clipboard; }
  void DeleteMaterial(std::int32_t serial, std::string_view) override { deleted.push_back(serial); }
  std::optional<std::string> EditText(const std::string& text, bool) override {
    edited = text;
    return editResult;
  }
  void RecordOwner(std::int32_t serial) override { owners.push_back(serial); }

  int modified = 0;
  bool editorOpen = false;
  int editorClosed = 0;
  std::optional<std::string> clipboard;
  std::optional<std::string> editResult;
  std::string edited;
  std::vector<std::int32_t> deleted;
  std::vector<std::int32_t> owners;

 private:
  ViewController& controller_;
  ::plume::testing::ChangeCounter changes_;
};


class ItemCommandsFixture : public ::testing::Test, protected testing::ControllerFixture {
 protected:
  int Selected(Rect r, std::uint16_t page = 1) {
    const int i = Node(r, page);
    doc->nodeStates[i].selected = 1;
    return i;
  }
  FakeItemHost itemHost{controller, *doc};
  ::plume::testing::FakePictureCodec codec;
  ItemCommands commands{view, itemHost, nullptr, &codec};
};

TEST_F(ItemCommandsFixture, PasteAt200PercentMovesCopiesByHalfTheClickOffsetWithNewIdsAndNoArcs) {
  view.SetZoom(2.0f);
  Selected({100, 100, 150, 130});
  doc->focusedNode = Selected({200, 100, 260, 140});
  Selected({300, 300, 340, 320});
  AddArc(0, 1);
  commands.Run(ItemCommands::kCopyNodes);
  // Right click 100 screen pixels right of the focused node's left-top corner.
  RightUp(200 * 2 + 100, 100 * 2);
  const std::int32_t firstId = doc->NewNodeId();
  commands.Run(ItemCommands::kPaste);
  ASSERT_EQ(doc->nodeCount, 6);
  EXPECT_EQ(doc->nodes[3].rect, (Rect{150, 100, 200, 130}));
  EXPECT_EQ(doc->nodes[4].rect, (Rect{250, 100, 310, 140}));
  EXPECT_EQ(doc->nodes[5].nodeId, firstId + 2);
  EXPECT_EQ(doc->arcCount, 1);
  EXPECT_EQ(doc->focusedNode, 3);
  EXPECT_EQ(doc->nodeStates[0].selected, 0);
  EXPECT_EQ(doc->History().NextUndo(), document::EditStep::Paste);
}

TEST_F(ItemCommandsFixture, KeyboardPasteWithoutRightClickUsesTheOriginAndClampsIntoThePage) {
  doc->focusedNode = Selected({40, 30, 90, 60});
  commands.Run(ItemCommands::kCopyNodes);
  commands.Run(ItemCommands::kPaste);
  // Moved by (-40, -30) and held inside the page with room for its frame.
  EXPECT_EQ(doc->nodes[1].rect, (Rect{3, 3, 53, 33}));
  commands.Run(ItemCommands::kPaste);
  EXPECT_EQ(doc->nodeCount, 3);  // the clipboard stays filled
}

TEST_F(ItemCommandsFixture, PastedPictureIsAnIndependentCopy) {
  doc->focusedNode = Selected({0, 0, 20, 20});
  doc->nodes[0].hasImage = 1;
  doc->nodes[0].image = doc->pictures.Add(codec.Decode(::plume::testing::FakeImageBytes(20, 20)));
  commands.Run(ItemCommands::kCopyNodes);
  commands.Run(ItemCommands::kPaste);
  ASSERT_NE(doc->nodes[1].image, doc->nodes[0].image);
  doc->pictures.Release(doc->nodes[0].image);
  ASSERT_NE(doc->NodePicture(1), nullptr);
  EXPECT_EQ(doc->NodePicture(1)->Width(), 20);
}

// The clipboard holds the copied picture itself: whatever the document holds
// at paste time, the pasted node saves and reopens with the copied bytes.
TEST_F(ItemCommandsFixture, PastedPictureIsTheCopiedOneInAnyDocumentAndSurvivesSaveAndReopen) {
  using ::plume::testing::FakeImageBytes;
  const platform::Bytes copied = FakeImageBytes(20, 20, 7);
  const std::vector<std::pair<const char*, std::function<void()>>> afterCopy = {
      {"same document, source resized", [&] {
         doc->pictures.Release(doc->nodes[0].image);
         doc->nodes[0].image = doc->pictures.Add(codec.Decode(FakeImageBytes(40, 40)));
       }},
      {"source gone with its picture", [&] {
         doc->pictures.Release(doc->nodes[0].image);
         doc->nodeCount = 0;
       }},
      {"new document", [&] { doc->NewDocument(); }},
      {"another document with its own pictures", [&] {
         doc->NewDocument();
         const int other = AddNode({0, 0, 30, 30});
         doc->nodes[other].hasImage = 1;
         doc->nodes[other].image = doc->pictures.Add(codec.Decode(FakeImageBytes(30, 30)));
       }},
  };
  for (const auto& [what, step] : afterCopy) {
    SCOPED_TRACE(what);
    doc->NewDocument();
    doc->focusedNode = Selected({0, 0, 20, 20});
    doc->nodes[0].hasImage = 1;
    doc->nodes[0].image = doc->pictures.Add(codec.Decode(copied));
    commands.Run(ItemCommands::kCopyNodes);
    step();
    commands.Run(ItemCommands::kPaste);
    const int pasted = doc->nodeCount - 1;
    ASSERT_GE(pasted, 0);
    ASSERT_NE(doc->NodePicture(pasted), nullptr);
    std::stringstream file;
    ASSERT_TRUE(document::WriteChart(*doc, file));
    ASSERT_TRUE(document::ReadChart(*doc, file, codec));
    ASSERT_NE(doc->NodePicture(pasted), nullptr);
    EXPECT_EQ(doc->NodePicture(pasted)->EncodedBytes(), copied);
  }
}

TEST_F(ItemCommandsFixture, DeletingNodesRemovesTheirArcsAcrossPagesAndOnYesTheirMaterials) {
  const int a = Selected({0, 0, 10, 10});
  const int b = Node({50, 0, 60, 10});
  const int c = Node({0, 0, 10, 10}, 2);
  doc->nodes[a].serial = 7;
  AddArc(a, b);
  AddArc(c, a);
  AddArc(b, c);
  sink.Answer(MsgResult::No);
  commands.Run(ItemCommands::kDeleteNodes);
  EXPECT_EQ(doc->nodeCount, 2);
  ASSERT_EQ(doc->arcCount, 1);
  EXPECT_EQ(doc->arcs[0].fromNode, doc->nodes[0].nodeId);
  EXPECT_TRUE(itemHost.deleted.empty());
  // Yes deletes the material of every deleted node, also one another node uses.
  doc->nodes[0].serial = 9;
  doc->nodes[1].serial = 9;
  doc->nodeStates[0].selected = 1;
  sink.Answer(MsgResult::Yes);
  commands.Run(ItemCommands::kDeleteNodes);
  EXPECT_EQ(itemHost.deleted, std::vector<std::int32_t>{9});
  EXPECT_EQ(doc->nodeCount, 1);
  EXPECT_EQ(doc->focusedNode, -1);
}

TEST_F(ItemCommandsFixture, CancelledDeletionStillEmptiesTheClipboardLetsTheEditorFinishFirstAndIsNoStep) {
  doc->focusedNode = Selected({0, 0, 10, 10});
  commands.Run(ItemCommands::kCopyNodes);
  std::vector<std::string> heard;
  auto subscription = doc->Changes().Subscribe([&](document::Change change) {
    if (change == document::Change::Rearranging) heard.push_back(sink.Ids().empty() ? "before" : "after");
  });
  sink.Answer(MsgResult::Cancel);
  commands.Run(ItemCommands::kDeleteNodes);
  EXPECT_EQ(doc->nodeCount, 1);
  EXPECT_EQ(commands.Clipboard().Count(), 0);
  EXPECT_FALSE(view.CanUndo());
  EXPECT_EQ(heard, std::vector<std::string>{"before"}) << "the editor finishes before the question";
  EXPECT_FALSE(commands.Enabled(ItemCommands::kPaste));
}

TEST_F(ItemCommandsFixture, SlipDeletionWaitsForTheEditorAndAsks) {
  doc->focusedSlip = Slip({0, 0, 10, 10});
  doc->slips[0].selected = 1;
  Slip({20, 0, 30, 10});
  itemHost.editorOpen = true;
  commands.Run(ItemCommands::kDeleteSlips);
  EXPECT_TRUE(sink.Ids().empty());
  itemHost.editorOpen = false;
  sink.Answer(MsgResult::Yes);
  commands.Run(ItemCommands::kDeleteSlips);
  EXPECT_EQ(sink.Last().id, 30067);
  EXPECT_EQ(doc->slipCount, 1);
  EXPECT_EQ(doc->slips[0].rect.left, 20);
}

TEST_F(ItemCommandsFixture, SwapExchangesTheTwoLowestSelectedNodes) {
  for (int i = 0; i < 9; ++i) Node({i * 10, 0, i * 10 + 5, 5});
  doc->nodeStates[3].selected = doc->nodeStates[7].selected = doc->nodeStates[8].selected = 1;
  doc->focusedNode = 8;
  const auto id3 = doc->nodes[3].nodeId, id7 = doc->nodes[7].nodeId;
  commands.Run(ItemCommands::kSwapOrder);
  EXPECT_EQ(doc->nodes[3].nodeId, id7);
  EXPECT_EQ(doc->nodes[7].nodeId, id3);
  EXPECT_EQ(doc->focusedNode, 8);
}

TEST_F(ItemCommandsFixture, SlipFromClipboardKeepsThe1000FirstBytesOnACharacterBoundary) {
  commands.Run(ItemCommands::kSlipFromClipboard);
  EXPECT_EQ(sink.Last().id, 30068);
  itemHost.clipboard = std::string(999, 'a') + platform::Utf8ToCp932("あ") + std::string(499, 'b');
  sink.Answer(MsgResult::Yes);
  commands.Run(ItemCommands::kSlipFromClipboard);
  EXPECT_EQ(sink.Last().id, 30069);
  ASSERT_EQ(doc->slipCount, 1);
  EXPECT_EQ(platform::FieldText(doc->slips[0].slipText), std::string(999, 'a'));
  itemHost.clipboard = std::string(1500, 'c');
  sink.Answer(MsgResult::Yes);
  commands.Run(ItemCommands::kSlipFromClipboard);
  EXPECT_EQ(platform::FieldText(doc->slips[1].slipText).size(), 1000u);
}

TEST_F(ItemCommandsFixture, SlipPasteStopsAtTheSlipLimit) {
  for (int i = 0; i < 3; ++i) doc->slips[Slip({0, 0, 10, 10})].selected = 1;
  doc->focusedSlip = 0;
  commands.Run(ItemCommands::kCopySlips);
  EXPECT_EQ(commands.Clipboard().Count(), -3);
  while (doc->slipCount < 999) Slip({0, 0, 10, 10});
  commands.Run(ItemCommands::kPaste);
  EXPECT_EQ(doc->slipCount, 1000);
  EXPECT_EQ(sink.Last().id, 30062);
}

TEST_F(ItemCommandsFixture, SelectAllNodesFocusesTheHighestOnThePage) {
  for (int i = 0; i < 10; ++i) Node({0, 0, 10, 10}, (i == 2 || i == 5 || i == 9) ? 1 : 2);
  commands.Run(ItemCommands::kSelectAllNodes);
  EXPECT_EQ(doc->focusedNode, 9);
  EXPECT_EQ(doc->nodeStates[5].selected, 1);
  EXPECT_EQ(doc->nodeStates[4].selected, 0);
  EXPECT_EQ(itemHost.modified, 0);
}

TEST_F(ItemCommandsFixture, TextEditReplacesTheTitleCutTo100Bytes) {
  doc->focusedNode = Node({0, 0, 10, 10});
  itemHost.editResult = std::string(120, 'x');
  commands.Run(ItemCommands::kTextEdit);
  EXPECT_EQ(itemHost.edited, "node");
  EXPECT_EQ(platform::FieldText(doc->nodes[0].title).size(), 100u);
  EXPECT_EQ(itemHost.modified, 1);
}

TEST_F(ItemCommandsFixture, NewItemsAtTheMenuPointLandWhereItShowsOnThePageAtTheZoomShown) {
  view.SetZoom(0.5f);
  RightUp(101, 51);
  commands.NewSlip();
  EXPECT_EQ(doc->slips[0].rect, (Rect{202, 102, 202, 102}));
  ASSERT_EQ(commands.PasteMaterials({{"PDF", 3, "a", 0, 0}, {"PDF", 4, "b", 0, 0}}).created, 2);
  EXPECT_EQ(doc->nodes[0].rect, (Rect{202, 102, 202, 102}));
  EXPECT_EQ(doc->nodes[1].rect, (Rect{206, 106, 206, 106}));  // two screen pixels apart
}

TEST_F(ItemCommandsFixture, MaterialsFromTheStoreBecomeNodesTwoPixelsApart) {
  RightUp(100, 80);
  const auto result = commands.PasteMaterials({{"PDF", 3, "a", 0, 0}, {"PDF", 4, "b", 0, 0}, {"PDF", 5, "c", 0, 0}});
  EXPECT_EQ(result.created, 3);
  EXPECT_EQ(itemHost.owners, (std::vector<std::int32_t>{3, 4, 5}));
  EXPECT_EQ(doc->nodes[2].rect.left, 104);
  EXPECT_EQ(doc->nodes[2].rect.top, 84);
  EXPECT_EQ(doc->nodes[1].serial, 4);
}

}  // namespace
}  // namespace plume::chartview
