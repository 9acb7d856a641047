#include "chartview/StyleCommands.h"

#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "FakeEditHost.h"
#include "chartview/StyleDefaults.h"
#include "chartview/ChartViewHooks.h"
#include "chartview/ViewProperties.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::chartview {
namespace {

using document::Rect;
using S = StyleCommands;

class StyleTest : public ::testing::Test, protected testing::ChartFixture {
 protected:

  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink scoped{&sink};
  testing::FakeEditHost host{*doc};
  RibbonStyleState state;
  StyleCommands commands{*doc, host, state};
};

TEST_F(StyleTest, BoldChangesTheNodesOnlyAndTwiceReturns) {
  // GIVEN two nodes and a slip selected, a node and the slip focused.
  doc->focusedNode = NodeSelected({10, 10, 100, 50});
  NodeSelected({200, 10, 300, 50});
  doc->focusedSlip = SlipSelected({10, 200, 100, 250});
  ASSERT_TRUE(commands.Run(S::kFontBold));
  EXPECT_EQ(state.bold, 1);
  EXPECT_EQ(doc->nodes[0].style.FontBold, 1);
  EXPECT_EQ(doc->nodes[1].style.FontBold, 1);
  EXPECT_EQ(doc->slips[0].style.FontBold, 0);
  EXPECT_TRUE(commands.State(S::kFontBold).checked);
  ASSERT_TRUE(commands.Run(S::kFontBold));
  EXPECT_EQ(state.bold, 0);
  EXPECT_EQ(doc->nodes[1].style.FontBold, 0);
  EXPECT_EQ(host.modified, 2);
  EXPECT_EQ(doc->History().UndoCount(), 2);  // each change is a step
}

TEST_F(StyleTest, AlignmentAlreadyInTheStateDoesNothing) {
  doc->focusedNode = NodeSelected({10, 10, 100, 50});
  NodeSelected({200, 10, 300, 50});
  doc->nodes[1].style.AlineH = 2;
  EXPECT_FALSE(commands.Run(S::kAlignCentre));
  EXPECT_EQ(doc->nodes[1].style.AlineH, 2);
  EXPECT_TRUE(commands.Run(S::kAlignLeft));
  EXPECT_TRUE(commands.Run(S::kAlignCentre));
  EXPECT_EQ(doc->nodes[0].style.AlineH, 1);
  EXPECT_EQ(doc->nodes[1].style.AlineH, 1);
  EXPECT_TRUE(commands.State(S::kAlignCentre).checked);
  EXPECT_FALSE(commands.State(S::kAlignLeft).checked);
}

TEST_F(StyleTest, EditTextsTakeTheirLeadingDigitsAsUnsigned16Bit) {
  EXPECT_EQ(S::ParseEditNumber("12abc"), 12);
  EXPECT_EQ(S::ParseEditNumber("abc"), 0);
  EXPECT_EQ(S::ParseEditNumber("-3"), 0);
  EXPECT_EQ(S::ParseEditNumber("65537"), 1);
  EXPECT_EQ(S::ParseEditNumber("99999999999999999999"), 65535);  // 10^20 - 1 modulo 65536
  EXPECT_FALSE(S::ParseEditNumber("").has_value());

  doc->focusedSlip = SlipSelected({10, 10, 100, 50});
  state.fontSize = "12abc";
  EXPECT_TRUE(commands.Run(S::kFontSize));
  EXPECT_EQ(doc->slips[0].style.FontSize, 12);
  state.margin = "x";
  EXPECT_TRUE(commands.Run(S::kMargin));
  EXPECT_EQ(doc->slips[0].style.Yohaku, 0);
  state.fontSize = "";
  EXPECT_FALSE(commands.Run(S::kFontSize));
  EXPECT_EQ(doc->slips[0].style.FontSize, 12);
  EXPECT_EQ(host.modified, 2);
}

TEST_F(StyleTest, FillColourGoesToThePageWhenNothingIsFocused) {
  const int node = NodeSelected({10, 10, 100, 50});
  state.fillColour = 0x00123456;
  EXPECT_TRUE(commands.State(S::kFillColour).enabled);
  EXPECT_FALSE(commands.State(S::kFontColour).enabled);
  EXPECT_TRUE(commands.Run(S::kFillColour));
  EXPECT_EQ(doc->CurrentPage().backColor, 0x00123456);
  EXPECT_NE(doc->nodes[node].style.refMen, 0x00123456);

  doc->focusedNode = node;
  state.fillColour = 0x00654321;
  EXPECT_TRUE(commands.Run(S::kFillColour));
  EXPECT_EQ(doc->nodes[node].style.refMen, 0x00654321);
  EXPECT_EQ(doc->CurrentPage().backColor, 0x00123456);
}

TEST_F(StyleTest, NoFillAndNoFrameTouchTheFocusedItemOnly) {
  NodeSelected({10, 10, 100, 50});
  doc->focusedNode = NodeSelected({200, 10, 300, 50});
  NodeSelected({400, 10, 500, 50});
  EXPECT_FALSE(commands.State(S::kNoFill).checked);
  EXPECT_TRUE(commands.Run(S::kNoFill));
  EXPECT_EQ(doc->nodes[1].style.refMen, document::kNoColor);
  EXPECT_NE(doc->nodes[0].style.refMen, document::kNoColor);
  EXPECT_NE(doc->nodes[2].style.refMen, document::kNoColor);
  EXPECT_TRUE(commands.State(S::kNoFill).checked);
  EXPECT_TRUE(commands.Run(S::kNoFrame));
  EXPECT_EQ(doc->nodes[1].style.refWaku, document::kNoColor);
  EXPECT_NE(doc->nodes[0].style.refWaku, document::kNoColor);
}

TEST_F(StyleTest, AWiderFrameMovesTheItemBackOntoThePage) {
  doc->focusedNode = NodeSelected({5, 100, 105, 150});
  state.frameWidth = "20";
  ASSERT_TRUE(commands.Run(S::kFrameWidth));
  EXPECT_EQ(doc->nodes[0].style.Futosa, 20);
  EXPECT_GE(doc->nodes[0].rect.left - 20, 2);
  EXPECT_EQ(doc->nodes[0].rect.Width(), 100);
  // A narrower frame leaves the position alone.
  doc->nodes[0].rect = {5, 100, 105, 150};
  state.frameWidth = "3";
  ASSERT_TRUE(commands.Run(S::kFrameWidth));
  EXPECT_EQ(doc->nodes[0].rect.left, 5);
}

TEST_F(StyleTest, FontNameIsStoredAndALongNameIsRefused) {
  doc->focusedNode = NodeSelected({10, 10, 100, 50});
  state.fontName = "IPAGothic";
  EXPECT_TRUE(commands.Run(S::kFontName));
  EXPECT_EQ(platform::FieldText(doc->nodes[0].style.FontName), "IPAGothic");
  EXPECT_FALSE(commands.Run(S::kFontName));  // the same bytes change nothing
  state.fontName = std::string(32, 'F');
  EXPECT_FALSE(commands.Run(S::kFontName));
  EXPECT_EQ(sink.Last().id, 30410);
  EXPECT_EQ(platform::FieldText(doc->nodes[0].style.FontName), "IPAGothic");
  state.fontName.clear();
  EXPECT_FALSE(commands.Run(S::kFontName));
}

TEST_F(StyleTest, RefreshCopiesTheFocusedStyleOrThePageBackground) {
  doc->CurrentPage().backColor = 0x00ABCDEF;
  EXPECT_FALSE(commands.RefreshState());
  EXPECT_EQ(state.fillColour, 0x00ABCDEF);
  doc->focusedSlip = SlipSelected({10, 10, 100, 50});
  doc->slips[0].style.FontSize = 14;
  doc->slips[0].style.Round = 1;
  platform::CopyToField(doc->slips[0].style.FontName, "Noto Sans");
  EXPECT_TRUE(commands.RefreshState());
  EXPECT_EQ(state.fontSize, "14");
  EXPECT_EQ(state.fontName, "Noto Sans");
  EXPECT_EQ(state.round, 1);
  EXPECT_FALSE(commands.State(S::kRound).checked);
}

TEST_F(StyleTest, TransparentColourCommandsSetTheFocusedNodeOnly) {
  NodeSelected({10, 10, 100, 50});
  EXPECT_FALSE(commands.SetTransparentColour(S::kTransRed));
  doc->focusedNode = NodeSelected({200, 10, 300, 50});
  const document::ColorRef fill = doc->nodes[1].style.refMen;
  EXPECT_TRUE(commands.SetTransparentColour(S::kTransRed));
  EXPECT_EQ(doc->nodes[1].transColor, 255);
  EXPECT_EQ(doc->nodes[0].transColor, document::kNoColor);
  EXPECT_TRUE(commands.SetTransparentColour(S::kTransBlue));
  EXPECT_EQ(doc->nodes[1].transColor, 16711680);
  EXPECT_TRUE(commands.SetTransparentColour(S::kTransOff));
  EXPECT_EQ(doc->nodes[1].transColor, document::kNoColor);
  EXPECT_EQ(doc->nodes[1].style.refMen, fill);
}

TEST(StyleDefaultsRead, ValuesEditedOutOfRangeAreClampedToTheControls) {
  platform::MemorySettingsStore store;
  const struct {
    const char* key;
    int stored;
    int read;
  } cases[] = {{"Futosa", -1000, 0}, {"Futosa", 70000, 65535}, {"Round", 99999, 1}, {"FontSize", -5, 0},
               {"Yohaku", -1, 0},     {"AlineH", 7, 2},         {"Wrap", -3, 0},     {"FontBold", 12, 1}};
  for (const auto& c : cases) {
    store.WriteInt("NODE", c.key, c.stored);
    const document::ItemStyle style = StyleDefaults::Read(store, platform::settings::StyleSection::Node);
    const std::string key = c.key;
    const int read = key == "Futosa" ? style.Futosa : key == "Round" ? style.Round : key == "FontSize" ? style.FontSize
                     : key == "Yohaku" ? style.Yohaku : key == "AlineH" ? style.AlineH : key == "Wrap" ? style.Wrap
                                                                                        : style.FontBold;
    EXPECT_EQ(read, c.read) << c.key << "=" << c.stored;
  }
}

TEST_F(StyleTest, StoredDefaultWithNoFillReachesTheNextNewNode) {
  platform::MemorySettingsStore store;
  doc->focusedNode = NodeSelected({10, 10, 100, 50});
  doc->nodes[0].style.refMen = document::kNoColor;
  doc->nodes[0].style.FontSize = 20;
  sink.Answer(platform::MsgResult::No);
  EXPECT_FALSE(commands.StoreDefault(store, platform::settings::StyleSection::Node));
  EXPECT_EQ(StyleDefaults::Read(store, platform::settings::StyleSection::Node).FontSize, 8);

  sink.Answer(platform::MsgResult::Yes);
  EXPECT_TRUE(commands.StoreDefault(store, platform::settings::StyleSection::Node));
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30029, 30029, 30065}));
  EXPECT_EQ(platform::settings::ValueText(store, platform::settings::NODE.refMen), "-1");

  // New nodes read the section afresh; slips keep their own defaults.
  WindowlessHost window;
  ChartView view(*doc, store, window);
  ChartViewHooks hooks(view, store);
  doc->SetHooks(&hooks);
  ASSERT_TRUE(doc->AddNode({}));
  EXPECT_EQ(doc->nodes[doc->nodeCount - 1].style.refMen, document::kNoColor);
  EXPECT_EQ(doc->nodes[doc->nodeCount - 1].style.FontSize, 20);
  platform::settings::Set(store, platform::settings::NODE.FontSize, 11);
  ASSERT_TRUE(doc->AddNode({}));
  EXPECT_EQ(doc->nodes[doc->nodeCount - 1].style.FontSize, 11);
  ASSERT_TRUE(doc->AddSlip("s", 0, 0));
  EXPECT_EQ(doc->slips[doc->slipCount - 1].style.refMen, 16773100);
  doc->SetHooks(nullptr);
}

TEST_F(StyleTest, NewNodesTakeTheStoredTitlePositionAndTwoForAnInvalidOne) {
  platform::MemorySettingsStore store;
  WindowlessHost window;
  ChartView view(*doc, store, window);
  ChartViewHooks hooks(view, store);
  doc->SetHooks(&hooks);
  for (const auto& [stored, expected] : {std::pair{"0", 0}, {"1", 1}, {"2", 2}, {"3", 2}, {"-1", 2}, {"x", 2}}) {
    store.WriteString(platform::settings::SUB::TitlePos.section, platform::settings::SUB::TitlePos.key, stored);
    ASSERT_TRUE(doc->AddNode({}));
    EXPECT_EQ(doc->nodes[doc->nodeCount - 1].titlePos, expected) << stored;
  }
  doc->SetHooks(nullptr);
}

TEST_F(StyleTest, ViewPropertiesNeverCutAnItem) {
  EXPECT_EQ(ViewProperties::ParseSize("2,000"), 2000);
  EXPECT_EQ(ViewProperties::ParseSize("12"), 500);
  EXPECT_EQ(ViewProperties::ParseSize("99,999,999,999"), 5000);
  NodeSelected({100, 100, 1400, 300});
  EXPECT_TRUE(ViewProperties::Apply(*doc, 800, 1000, 1.0f));
  EXPECT_EQ(doc->CurrentPage().pageWidth, 1400);
  EXPECT_EQ(doc->CurrentPage().pageHeight, 1000);
  EXPECT_FALSE(ViewProperties::Apply(*doc, 1400, 1000, 1.0f));
  EXPECT_TRUE(ViewProperties::Apply(*doc, 3000, 600, 1.0f));
  EXPECT_EQ(doc->CurrentPage().pageWidth, 3000);
  EXPECT_EQ(doc->CurrentPage().pageHeight, 600);
  // Items on another page do not count.
  AddNode({0, 0, 4000, 4000}, 2);
  EXPECT_TRUE(ViewProperties::Apply(*doc, 500, 500, 2.0f));
  EXPECT_EQ(doc->CurrentPage().pageWidth, 1400);
  EXPECT_EQ(doc->CurrentPage().pageHeight, 500);
}

}  // namespace
}  // namespace plume::chartview
