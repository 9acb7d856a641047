#include "platform/Messages.h"

#include <gtest/gtest.h>

#include "platform/ScriptedMessageSink.h"

namespace plume::platform {
namespace {

TEST(ShowMessage, ComposesPrefixTextIconButtonsAndCaption) {
  ScriptedMessageSink sink;
  ScopedMessageSink guard(&sink);
  ShowMessage(StringId::TooManyNodes, CountOverLimitLine(10001, 10000));
  const MessageRequest m = sink.Last();
  EXPECT_EQ(m.id, 30044);
  EXPECT_EQ(m.caption, "Plumeboard");
  EXPECT_EQ(m.icon, MsgIcon::Error);
  EXPECT_EQ(m.buttons, MsgButtons::Ok);
  EXPECT_EQ(m.FullText(), "10001 > 10000\nノードの最大セット件数を超えました");
}

TEST(ShowMessage, ReturnsScriptedAnswersInOrderThenTheFirstButton) {
  ScriptedMessageSink sink;
  ScopedMessageSink guard(&sink);
  sink.Answer(MsgResult::No);
  sink.Answer(MsgResult::Cancel);
  EXPECT_EQ(ShowMessage(StringId::SaveFailed, {}, MsgIcon::Question, MsgButtons::YesNo), MsgResult::No);
  EXPECT_EQ(ShowMessage(StringId::SaveFailed, {}, MsgIcon::Question, MsgButtons::YesNoCancel),
            MsgResult::Cancel);
  EXPECT_EQ(ShowMessage(StringId::SaveFailed, {}, MsgIcon::Question, MsgButtons::YesNo), MsgResult::Yes);
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30018, 30018, 30018}));
}

TEST(ShowMessage, ScopedSinkRestoresThePreviousOne) {
  ScriptedMessageSink outer, inner;
  ScopedMessageSink a(&outer);
  {
    ScopedMessageSink b(&inner);
    ShowMessage(StringId::SaveFailed);
  }
  ShowMessage(StringId::FileFormatDiffers);
  EXPECT_EQ(inner.Ids(), std::vector<int>{30018});
  EXPECT_EQ(outer.Ids(), std::vector<int>{30019});
}

TEST(CountOverLimitLine, HandlesNegativeAndLargeCounts) {
  EXPECT_EQ(CountOverLimitLine(-2147483647 - 1, 100), "-2147483648 > 100\n");
  EXPECT_EQ(CountOverLimitLine(101, 100), "101 > 100\n");
}

}  // namespace
}  // namespace plume::platform
