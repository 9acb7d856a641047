// The in-place editor: the double click that opens it, its box and the
// commit that stores the text cut to its field.

#include <gtest/gtest.h>

#include <functional>

#include "EditingFixture.h"
#include "chartview/ItemCommands.h"
#include "document/PageTabs.h"

namespace plume::chartview::testing {
namespace {

using document::Rect;
namespace KanSet = platform::settings::KanSet;

class InlineEditing : public EditingFixture {
 protected:
  /// A text node whose title rectangle is its inner box, as painted.
  int TitledNode(Rect r, std::string_view title = "node") {
    const int i = AddNode(r, 1, title);
    doc->nodeStates[i].titleRect = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    return i;
  }
  /// A click elsewhere in the view: the controller commits the editor.
  void ClickAway() {
    Press(900, 900);
    Release(900, 900);
  }
};

TEST_F(InlineEditing, DoubleClickOnATitleOpensTheEditorOverIt) {
  const int n = TitledNode({100, 100, 200, 150}, "abc");
  doc->nodes[n].style.refText = 0x000000FF;
  doc->nodes[n].style.refMen = 0x00C0FFFF;
  doc->nodes[n].style.FontBold = 1;
  doc->nodes[n].style.FontSize = 12;
  doc->nodes[n].style.AlineH = 1;
  view.SetScroll({10, 20});
  DoubleClick(120, 110);  // page (130, 130)
  ASSERT_TRUE(editing.EditorOpen());
  EXPECT_EQ(view.EditTarget(), n + 1);
  EXPECT_EQ(doc->focusedNode, n);
  EXPECT_EQ(doc->nodeStates[n].selected, 1);
  EXPECT_EQ(box.setup.box, (platform::IntRect{92, 82, 188, 133})) << "title rect, 5 lower, in client pixels";
  EXPECT_EQ(box.setup.text, "abc");
  EXPECT_EQ(box.setup.textColor, 0x000000FF);
  EXPECT_EQ(box.setup.background, 0x00C0FFFF);
  EXPECT_EQ(box.setup.font.weight, 700);
  EXPECT_EQ(box.setup.font.height, -16) << "12 pt at 96 dpi";
  EXPECT_EQ(box.setup.align, 1);
  EXPECT_EQ(box.setup.caret, (platform::Point{120, 110}));
}

TEST_F(InlineEditing, BackgroundFallsBackToThePageThenToTransparent) {
  const int s = Slip({100, 100, 200, 150});
  doc->slips[s].style.refMen = document::kNoColor;
  doc->CurrentPage().backColor = 0x00EEEEEE;
  DoubleClick(150, 120);
  EXPECT_EQ(box.setup.background, 0x00EEEEEE);
  doc->CurrentPage().backColor = document::kNoColor;
  DoubleClick(150, 120);
  EXPECT_EQ(box.setup.background, document::kNoColor);
}

TEST_F(InlineEditing, LongTitleIsStoredCutOnACharacterBoundary) {
  const int n = TitledNode({100, 100, 200, 150});
  DoubleClick(150, 120);
  // "a" and 60 two-byte characters: 121 bytes; 100 would split the 50th character.
  std::string typed = "a";
  for (int i = 0; i < 60; ++i) typed += "あ";
  box.typed = typed;
  ClickAway();
  const std::string_view stored = platform::FieldText(doc->nodes[n].title);
  ASSERT_EQ(stored.size(), 99u);
  EXPECT_EQ(platform::Cp932ToUtf8(stored), typed.substr(0, 1 + 49 * 3));
  EXPECT_FALSE(editing.EditorOpen());
  EXPECT_EQ(view.EditTarget(), 0);
  EXPECT_EQ(host.modified, 1);
  EXPECT_EQ(doc->focusedNode, -1) << "the committing click clears the selection";
}

TEST_F(InlineEditing, EnterStartsANewLineStoredAsCrLf) {
  const int s = Slip({100, 100, 300, 200}, 1, 1);
  platform::CopyToField(doc->slips[s].slipText, "one\r\ntwo");
  DoubleClick(150, 120);
  EXPECT_EQ(box.setup.text, "one\ntwo") << "the box shows plain line breaks";
  box.typed = "one\ntwo\nthree";
  EXPECT_TRUE(editing.EditorOpen()) << "Enter does not store";
  ClickAway();
  EXPECT_EQ(platform::FieldText(doc->slips[s].slipText), "one\r\ntwo\r\nthree");
}

TEST_F(InlineEditing, UnchangedTextLeavesTheDocumentUnmodified) {
  const int s = Slip({100, 100, 300, 200});
  platform::CopyToField(doc->slips[s].slipText, "line1\r\nline2");
  DoubleClick(150, 120);
  ClickAway();
  EXPECT_EQ(host.modified, 0);
  EXPECT_EQ(platform::FieldText(doc->slips[s].slipText), "line1\r\nline2");
}

TEST_F(InlineEditing, DoubleClickOnANodeBodyFollowsNodeWClick) {
  const int n = AddNode({100, 100, 200, 150});  // no title rectangle: the body
  doc->nodes[n].serial = 7;
  materials.sources[7] = "https://example.org/a";
  DoubleClick(150, 120);
  EXPECT_EQ(materials.opened, (std::vector<std::string>{"https://example.org/a"}));
  EXPECT_FALSE(editing.EditorOpen());

  doc->nodes[n].serial = 8;  // no source recorded
  DoubleClick(150, 120);
  EXPECT_EQ(sink.Last().id, 30039);
  EXPECT_EQ(sink.Last().icon, platform::MsgIcon::Information);

  Set(KanSet::NodeWClick, 2);
  DoubleClick(150, 120);
  EXPECT_EQ(host.commands, (std::vector<int>{EditingController::kCmdNodeProperties}));
  Set(KanSet::NodeWClick, 0);
  DoubleClick(150, 120);
  EXPECT_EQ(host.commands.size(), 1u);
}

TEST_F(InlineEditing, DoubleClickOnASlipOverANodeDoesBoth) {
  const int n = AddNode({100, 100, 300, 300});
  doc->nodes[n].serial = 3;
  materials.sources[3] = "https://example.org/b";
  const int s = Slip({150, 150, 250, 200});
  DoubleClick(200, 170);
  EXPECT_EQ(materials.opened.size(), 1u);
  ASSERT_TRUE(editing.EditorOpen());
  EXPECT_EQ(view.EditTarget(), -(s + 1));
  EXPECT_EQ(doc->focusedSlip, s);
  EXPECT_EQ(doc->focusedNode, -1);
}

TEST_F(InlineEditing, OpeningAnotherEditorDropsTheFirstText) {
  const int a = Slip({100, 100, 200, 150}, 1, 1);
  Slip({400, 100, 500, 150});
  DoubleClick(150, 120);
  box.typed = "lost";
  DoubleClick(450, 120);
  EXPECT_EQ(platform::FieldText(doc->slips[a].slipText), "slip");
  EXPECT_EQ(box.opens, 2);
}

TEST_F(InlineEditing, DeletingItemsClosesTheEditorWithoutStoring) {
  const int s = Slip({100, 100, 200, 150});
  DoubleClick(150, 120);
  box.typed = "gone";
  editing.CloseEditorForDelete();
  EXPECT_FALSE(box.open);
  EXPECT_EQ(view.EditTarget(), 0);
  doc->slipCount = 0;  // the delete itself
  ClickAway();
  EXPECT_EQ(platform::FieldText(doc->slips[s].slipText), "slip");
  EXPECT_EQ(host.modified, 0);
}

struct QuietTabsHost : document::PageTabsHost {
  std::optional<std::string> AskPageName(std::string_view) override { return std::nullopt; }
  void CurrentScroll(int& x, int& y) override { x = y = 0; }
  void CurrentPageChanged() override {}
  void ClearItemClipboard() override {}
  void DeleteMaterial(const document::NodeRecord&) override {}
};

// Items removed or reordered while the editor is open: the typed text lands
// in the item the editor was opened on, never in the one now at its index.
TEST_F(InlineEditing, TypedTextStaysWithItsItemWhenItemsAreRemovedOrReordered) {
  plume::testing::NullItemCommandHost itemHost;
  ItemCommands commands(view, itemHost);
  QuietTabsHost tabsHost;
  struct Case {
    const char* what;
    platform::MsgResult answer;
    std::function<void()> step;
  };
  const std::vector<Case> cases = {
      {"a page before it deleted from the tab menu", platform::MsgResult::No,
       [&] {
         document::PageTabs tabs(*doc, tabsHost);
         doc->header.currentPage = 0;
         tabs.DeleteCurrentPage();
         doc->header.currentPage = 0;
       }},
      {"drawing order swapped", platform::MsgResult::Yes, [&] { commands.SwapOrder(); }},
      {"node deletion cancelled", platform::MsgResult::Cancel, [&] { commands.DeleteNodes(); }},
      {"tables reordered behind its back", platform::MsgResult::Yes,
       [&] { std::swap(doc->nodes[0], doc->nodes[1]); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    doc->NewDocument();
    document::ChartDocument::InitPage(doc->pages[1], 2, "p2");
    doc->header.pageCount = 2;
    doc->header.currentPage = 1;
    AddSlip({0, 0, 50, 50}, 1, "on page 1");
    AddNode({100, 300, 200, 350}, 1, "first");
    const int edited = TitledNode({100, 100, 200, 150}, "second");
    doc->nodes[edited].pageId = 2;
    const std::int32_t id = doc->nodes[edited].nodeId;
    doc->nodeStates[0].selected = 1;
    DoubleClick(150, 120);
    ASSERT_EQ(view.EditTarget(), edited + 1);
    doc->nodeStates[0].selected = doc->nodeStates[1].selected = 1;
    doc->focusedNode = 0;
    box.typed = "typed";
    sink.Answer(c.answer);
    c.step();
    ClickAway();
    for (int i = 0; i < doc->nodeCount; ++i) {
      EXPECT_EQ(platform::FieldText(doc->nodes[i].title), doc->nodes[i].nodeId == id ? "typed" : "first");
    }
    EXPECT_FALSE(box.open);
  }
}

TEST_F(InlineEditing, AnotherDocumentShownDropsTheTypedText) {
  const int s = Slip({100, 100, 200, 150});
  DoubleClick(150, 120);
  box.typed = "typed for the old document";
  view.DocumentShown();
  ClickAway();
  EXPECT_EQ(platform::FieldText(doc->slips[s].slipText), "slip");
  EXPECT_FALSE(box.open);
}

TEST_F(InlineEditing, BoxHandlesResizeTheEditorInsideThePage) {
  Slip({100, 100, 200, 150});
  DoubleClick(150, 120);  // box (100, 100) - (200, 155)
  // Handle 2 (right-bottom) of the box grown by 2: (202, 157).
  Press(203, 158);
  ASSERT_TRUE(editing.EditorOpen()) << "a handle press does not commit";
  ASSERT_TRUE(box.tracking);
  box.tracking({260, 190}, false);
  box.tracking({260, 190}, true);
  EXPECT_EQ(box.box, (platform::IntRect{100, 100, 260, 190}));
  EXPECT_EQ(box.moves, 1);

  Press(262, 192);
  box.tracking({-50, -50}, true);  // up-left past the box: 10 x 10 at least
  EXPECT_EQ(box.box, (platform::IntRect{100, 100, 110, 110}));
  Press(112, 112);
  box.tracking({3000, 3000}, true);  // the page ends at 1000
  EXPECT_EQ(box.box, (platform::IntRect{100, 100, 1000, 1000}));
}

}  // namespace
}  // namespace plume::chartview::testing
