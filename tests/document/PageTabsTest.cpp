#include "document/PageTabs.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "platform/Cp932.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::document {
namespace {

using platform::MsgResult;
using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;
using platform::StringId;

constexpr std::string_view kA = "\x82\xa0";  // "あ", two bytes

struct FakeHost : PageTabsHost {
  std::deque<std::optional<std::string>> names;
  std::vector<std::string> asked;
  int scrollX = 0, scrollY = 0;
  int modified = 0, clipboardCleared = 0, pageChanges = 0;
  std::vector<std::int32_t> deletedMaterials;

  std::optional<std::string> AskPageName(std::string_view initial) override {
    asked.emplace_back(initial);
    if (names.empty()) return std::nullopt;
    auto name = names.front();
    names.pop_front();
    return name;
  }
  void CurrentScroll(int& x, int& y) override { x = scrollX; y = scrollY; }
  void CurrentPageChanged() override { ++pageChanges; }
  void ClearItemClipboard() override { ++clipboardCleared; }
  void DeleteMaterial(const NodeRecord& node) override { deletedMaterials.push_back(node.serial); }
};

struct CountingHooks : DefaultDocumentHooks {};

class PageTabsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = ChartDocument::Create(&hooks);
    ASSERT_TRUE(doc);
    doc->NewDocument();
    edits = doc->Changes().Subscribe([this](Change change) { host.modified += change == Change::Modified; });
    tabs = std::make_unique<PageTabs>(*doc, host);
  }
  /// Pages named "P1".."Pn" (n >= 1), page 0 current.
  void MakePages(int n) {
    ChartDocument::InitPage(doc->pages[0], 1, "P1");
    for (int i = 1; i < n; ++i) ChartDocument::InitPage(doc->pages[i], static_cast<std::uint16_t>(i + 1), "P" + std::to_string(i + 1));
    doc->header.pageCount = static_cast<std::uint16_t>(n);
    doc->header.currentPage = 0;
    tabs->Rebuild();
  }
  int AddNode(std::uint16_t pageId, std::int32_t nodeId, bool selected = false) {
    const int i = doc->nodeCount++;
    doc->nodes[i] = NodeRecord{};
    doc->nodes[i].nodeId = nodeId;
    doc->nodes[i].serial = 1000 + nodeId;
    doc->nodes[i].pageId = pageId;
    doc->nodeStates[i] = NodeViewState{};
    doc->nodeStates[i].selected = selected ? 1 : 0;
    return i;
  }
  void AddArc(std::int32_t from, std::int32_t to) { doc->arcs[doc->arcCount++] = ArcRecord{from, to}; }
  std::string PageName(int i) const { return std::string(platform::FieldText(doc->pages[i].pageName)); }

  CountingHooks hooks;
  FakeHost host;
  std::unique_ptr<ChartDocument> doc;
  DocumentChanges::Subscription edits;
  std::unique_ptr<PageTabs> tabs;
  ScriptedMessageSink sink;
  ScopedMessageSink guard{&sink};
};

TEST(PageTabCaption, CutsAtTheLengthAndMarksTheCut) {
  EXPECT_EQ(PageTabs::Caption("abcdefghijk", 10), "abcdefghij\x81\x63");
  EXPECT_EQ(PageTabs::Caption("abcdefghij", 10), "abcdefghij");
  std::string nine;
  for (int i = 0; i < 9; ++i) nine += kA;
  std::string five;
  for (int i = 0; i < 5; ++i) five += kA;
  EXPECT_EQ(PageTabs::Caption(nine, 10), five + "\x81\x63");
  // A double-byte character crossing the limit is dropped whole.
  EXPECT_EQ(PageTabs::Caption("a" + five, 10), "a" + std::string(kA) + std::string(kA) + std::string(kA) +
                                                   std::string(kA) + "\x81\x63");
  EXPECT_EQ(PageTabs::Caption("", 10), "");
}

TEST(PageTabName, RefusesEmptyAndOverLongNames) {
  EXPECT_EQ(PageTabs::CheckName(""), StringId::TextEmpty);
  EXPECT_EQ(PageTabs::CheckName(std::string(100, 'x')), std::nullopt);
  EXPECT_EQ(PageTabs::CheckName(std::string(101, 'x')), StringId::TextTooLong);
  std::string fifty;
  for (int i = 0; i < 50; ++i) fifty += kA;
  EXPECT_EQ(PageTabs::CheckName(fifty), std::nullopt);
  EXPECT_EQ(PageTabs::CheckName(fifty + "x"), StringId::TextTooLong);
}

TEST_F(PageTabsTest, CaptionLengthIsClampedAndRebuildsTheCaptions) {
  MakePages(1);
  platform::CopyToField(doc->pages[0].pageName, std::string(60, 'n'));
  tabs->SetCaptionLength(60);
  EXPECT_EQ(tabs->CaptionLength(), 50);
  EXPECT_EQ(tabs->Captions()[0], std::string(50, 'n') + "\x81\x63");
  tabs->SetCaptionLength(2);
  EXPECT_EQ(tabs->CaptionLength(), 4);
  EXPECT_EQ(tabs->Captions()[0], "nnnn\x81\x63");
}

TEST_F(PageTabsTest, AddInsertsAfterOrBeforeAndShowsTheTypedNameInFull) {
  MakePages(2);
  host.names = {std::string(30, 'z'), std::string("B")};
  ASSERT_TRUE(tabs->AddPage(true));
  ASSERT_EQ(tabs->Count(), 3);
  EXPECT_EQ(tabs->Current(), 1);
  EXPECT_EQ(tabs->Captions()[1], std::string(30, 'z'));  // not shortened until rebuilt
  EXPECT_EQ(PageName(1), std::string(30, 'z'));
  EXPECT_EQ(doc->pages[1].pageId, 3);
  EXPECT_EQ(doc->pages[1].pageWidth, 1000);
  EXPECT_EQ(doc->pages[1].tabBackColor, Rgb(255, 255, 255));
  EXPECT_EQ(PageName(2), "P2");
  ASSERT_TRUE(tabs->AddPage(false));
  EXPECT_EQ(tabs->Current(), 1);
  EXPECT_EQ(PageName(1), "B");
  EXPECT_EQ(PageName(2), std::string(30, 'z'));
  EXPECT_EQ(doc->header.pageCount, 4);
  EXPECT_EQ(host.modified, 2);
  tabs->Rebuild();
  EXPECT_EQ(tabs->Captions()[2], std::string(10, 'z') + "\x81\x63");
}

TEST_F(PageTabsTest, AddIsRefusedAtOneHundredPagesAndOnCancel) {
  MakePages(100);
  EXPECT_FALSE(tabs->AddPage(true));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30009});
  EXPECT_TRUE(host.asked.empty());
  EXPECT_EQ(doc->header.pageCount, 100);

  MakePages(99);
  host.names = {std::nullopt};
  EXPECT_FALSE(tabs->AddPage(true));
  EXPECT_EQ(doc->header.pageCount, 99);
  host.names = {std::string("last")};
  EXPECT_TRUE(tabs->AddPage(true));
  EXPECT_EQ(doc->header.pageCount, 100);
  EXPECT_EQ(host.modified, 1);
}

TEST_F(PageTabsTest, MenuGreysMovesAtTheEndsAndDeleteOnASinglePage) {
  MakePages(1);
  EXPECT_FALSE(tabs->MenuEnabling().canDelete);
  EXPECT_FALSE(tabs->DeleteCurrentPage());
  MakePages(3);
  tabs->RightClick(0);
  auto state = tabs->MenuEnabling();
  EXPECT_TRUE(state.canDelete);
  EXPECT_FALSE(state.canMoveLeft);
  EXPECT_TRUE(state.canMoveRight);
  tabs->RightClick(2);
  state = tabs->MenuEnabling();
  EXPECT_TRUE(state.canMoveLeft);
  EXPECT_FALSE(state.canMoveRight);
  EXPECT_EQ(host.modified, 0);  // a right click only shows the page
}

TEST_F(PageTabsTest, MoveExchangesPagesAndFollowsTheMovedPage) {
  MakePages(3);
  platform::CopyToField(doc->pages[1].pageName, "a long page name");
  tabs->Rebuild();
  tabs->RightClick(1);
  ASSERT_TRUE(tabs->MoveLeft());
  EXPECT_EQ(tabs->Current(), 0);
  EXPECT_EQ(PageName(0), "a long page name");
  EXPECT_EQ(doc->pages[0].pageId, 2);
  EXPECT_EQ(PageName(1), "P1");
  EXPECT_EQ(tabs->Captions()[0], "a long page name");  // full names after a move
  EXPECT_FALSE(tabs->MoveLeft());
  ASSERT_TRUE(tabs->MoveRight());
  ASSERT_TRUE(tabs->MoveRight());
  EXPECT_EQ(tabs->Current(), 2);
  EXPECT_EQ(doc->pages[2].pageId, 2);
  EXPECT_FALSE(tabs->MoveRight());
  EXPECT_EQ(host.modified, 3);
}

TEST_F(PageTabsTest, DeleteWithoutNodesAsksWithTheCaption) {
  MakePages(3);
  tabs->RightClick(0);
  sink.Answer(MsgResult::No);
  EXPECT_FALSE(tabs->DeleteCurrentPage());
  EXPECT_EQ(doc->header.pageCount, 3);
  ASSERT_EQ(sink.Last().id, 30011);
  EXPECT_EQ(sink.Last().prefix, "P1\n");
  sink.Answer(MsgResult::Yes);
  ASSERT_TRUE(tabs->DeleteCurrentPage());
  EXPECT_EQ(doc->header.pageCount, 2);
  EXPECT_EQ(tabs->Current(), 0);  // the first page deleted: index 0 stays current
  EXPECT_EQ(PageName(0), "P2");
  EXPECT_EQ(tabs->Captions(), (std::vector<std::string>{"P2", "P3"}));
  EXPECT_EQ(host.clipboardCleared, 1);
  EXPECT_EQ(doc->History().NextUndo(), EditStep::PageDelete);
  tabs->RightClick(1);
  sink.Answer(MsgResult::Yes);
  ASSERT_TRUE(tabs->DeleteCurrentPage());
  EXPECT_EQ(tabs->Current(), 0);
  EXPECT_EQ(PageName(0), "P2");
}

TEST_F(PageTabsTest, DeletingNodesOnlyTakesTheirArcsAlongAndKeepsTheRest) {
  MakePages(2);
  AddNode(1, 10);
  AddNode(2, 20, true);
  AddNode(1, 11);
  AddNode(2, 21);
  AddArc(10, 11);  // on the deleted page
  AddArc(20, 10);  // from another page into it
  AddArc(20, 21);  // elsewhere
  doc->slips[doc->slipCount++].pageId = 1;
  doc->slips[doc->slipCount++].pageId = 2;
  tabs->RightClick(0);
  sink.Answer(MsgResult::No);
  ASSERT_TRUE(tabs->DeleteCurrentPage());
  EXPECT_EQ(sink.Last().id, 30033);
  EXPECT_TRUE(host.deletedMaterials.empty());
  ASSERT_EQ(doc->nodeCount, 2);
  EXPECT_EQ(doc->nodes[0].nodeId, 20);
  EXPECT_EQ(doc->nodes[1].nodeId, 21);
  ASSERT_EQ(doc->arcCount, 1);
  EXPECT_EQ(doc->arcs[0].fromNode, 20);
  EXPECT_EQ(doc->arcs[0].toNode, 21);
  EXPECT_EQ(doc->slipCount, 1);
  EXPECT_EQ(doc->slips[0].pageId, 2);
  EXPECT_EQ(doc->nodeStates[0].selected, 0);  // selection cleared afterwards
  EXPECT_GE(host.modified, 1);
}

TEST_F(PageTabsTest, DeleteAnsweredYesDeletesMaterialsAndCancelKeepsAll) {
  MakePages(2);
  AddNode(2, 5);
  AddNode(2, 6);
  tabs->RightClick(1);
  sink.Answer(MsgResult::Cancel);
  EXPECT_FALSE(tabs->DeleteCurrentPage());
  EXPECT_EQ(doc->nodeCount, 2);
  EXPECT_EQ(doc->header.pageCount, 2);
  EXPECT_EQ(host.clipboardCleared, 0);
  sink.Answer(MsgResult::Yes);
  ASSERT_TRUE(tabs->DeleteCurrentPage());
  EXPECT_EQ(host.deletedMaterials, (std::vector<std::int32_t>{1005, 1006}));
  EXPECT_EQ(doc->nodeCount, 0);
  EXPECT_EQ(tabs->Current(), 0);
}

TEST_F(PageTabsTest, RenameCutsToOneHundredBytesAndShortensTheCaption) {
  MakePages(1);
  host.names = {std::string(120, 'r')};
  ASSERT_TRUE(tabs->RenamePage());
  EXPECT_EQ(host.asked.back(), "P1");
  EXPECT_EQ(PageName(0), std::string(100, 'r'));
  EXPECT_EQ(tabs->Captions()[0], std::string(10, 'r') + "\x81\x63");
  EXPECT_EQ(host.modified, 1);
  host.names = {std::nullopt};
  EXPECT_FALSE(tabs->RenamePage());
  EXPECT_EQ(PageName(0), std::string(100, 'r'));
}

TEST_F(PageTabsTest, ClickStoresTheScrollOfThePageLeft) {
  MakePages(2);
  AddNode(1, 1, true);
  doc->focusedNode = 0;
  host.scrollX = 40;
  host.scrollY = 70;
  tabs->Click(0);  // the current tab: nothing happens
  EXPECT_EQ(host.modified, 0);
  tabs->Click(1);
  EXPECT_EQ(tabs->Current(), 1);
  EXPECT_EQ(doc->pages[0].scrollX, 40);
  EXPECT_EQ(doc->pages[0].scrollY, 70);
  EXPECT_EQ(doc->focusedNode, -1);
  EXPECT_EQ(doc->nodeStates[0].selected, 0);
  EXPECT_EQ(host.modified, 1);
  host.scrollX = 5;
  tabs->RightClick(0);  // no scroll stored
  EXPECT_EQ(doc->pages[1].scrollX, 0);
}

// Whatever brings another page on show leaves nothing of the page left
// selected, so keys and commands never act on items the user cannot see.
TEST_F(PageTabsTest, EveryPageSwitchClearsTheSelection) {
  const std::vector<std::pair<const char*, std::function<void()>>> switches = {
      {"add after", [&] { host.names.push_back("new"); tabs->AddPage(true); }},
      {"add before", [&] { host.names.push_back("new"); tabs->AddPage(false); }},
      {"right click on another tab", [&] { tabs->RightClick(1); }},
      {"click on another tab", [&] { tabs->Click(1); }},
  };
  for (const auto& [what, step] : switches) {
    SCOPED_TRACE(what);
    doc->NewDocument();
    MakePages(2);
    AddNode(1, 1, true);
    doc->focusedNode = 0;
    step();
    EXPECT_NE(doc->CurrentPage().pageId, 1);
    EXPECT_EQ(doc->nodeStates[0].selected, 0);
    EXPECT_EQ(doc->focusedNode, -1);
  }
}

TEST_F(PageTabsTest, PageListCountsAndDoubleClick) {
  MakePages(2);
  AddNode(1, 1);
  doc->nodes[AddNode(1, 2)].hasImage = 1;
  doc->nodes[AddNode(1, 3)].hasImage = 1;
  AddNode(2, 4);
  doc->slips[doc->slipCount++].pageId = 1;
  const auto counts = tabs->CountsOf(0);
  EXPECT_EQ(counts.withoutPicture, 1);
  EXPECT_EQ(counts.withPicture, 2);
  EXPECT_EQ(counts.slips, 1);
  EXPECT_EQ(counts.total, 4);
  EXPECT_EQ(tabs->CountsOf(1).total, 1);
  EXPECT_EQ(tabs->CountsOf(5).total, 0);
  host.scrollX = 9;
  tabs->ShowPage(1);
  EXPECT_EQ(tabs->Current(), 1);
  EXPECT_EQ(doc->pages[0].scrollX, 9);
  EXPECT_EQ(host.modified, 1);
}

}  // namespace
}  // namespace plume::document
