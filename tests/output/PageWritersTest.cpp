#include "output/PageWriters.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/Messages.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::output {
namespace {

using platform::StringId;

TEST(PageWritersTest, AFailedJobStopsTheRestAndItsMessageIsShownByTheWaitingThread) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  std::atomic<int> ran{0};
  PageWriters writers(1);  // one writer: job 1 has ended before job 2 may be queued
  const auto says = [&](StringId id) {
    return [&ran, id](int) {
      ++ran;
      platform::ShowMessage(id, {}, platform::MsgIcon::Error);
      return false;
    };
  };
  ASSERT_TRUE(writers.Add(0, [&](int) { return ++ran, true; }));
  ASSERT_TRUE(writers.Add(1, says(StringId::PdfCreateFailed)));
  EXPECT_FALSE(writers.Add(2, [&](int) { return ++ran, true; }));
  EXPECT_TRUE(sink.Messages().empty());  // nothing is shown from a writer thread
  EXPECT_FALSE(writers.Finish());
  ASSERT_EQ(sink.Messages().size(), 1u);
  EXPECT_EQ(sink.Last().id, static_cast<int>(StringId::PdfCreateFailed));
  EXPECT_EQ(ran.load(), 2);
}

TEST(PageWritersTest, EveryJobRunsOnceOnAThreadOfThePoolAlsoAfterAWait) {
  std::atomic<int> ran{0};
  std::atomic<bool> threadsInRange{true};
  PageWriters writers(3);
  const auto job = [&](int thread) {
    if (thread < 0 || thread >= 3) threadsInRange = false;
    return ++ran, true;
  };
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(writers.Add(i, job));
  EXPECT_TRUE(writers.Finish());
  EXPECT_EQ(ran.load(), 20);
  for (int i = 20; i < 40; ++i) ASSERT_TRUE(writers.Add(i, job));
  EXPECT_TRUE(writers.Finish());
  EXPECT_EQ(ran.load(), 40);
  EXPECT_TRUE(threadsInRange);
}

}  // namespace
}  // namespace plume::output
