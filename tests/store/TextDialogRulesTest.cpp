#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Messages.h"
#include "platform/ScriptedMessageSink.h"
#include "store/EditTextRules.h"
#include "store/RelatedTextFile.h"
#include "store/StoreFixture.h"

namespace plume::store {
namespace {

namespace fs = std::filesystem;
using platform::MsgResult;
using test::ReadBytes;
using test::WriteBytes;

std::string Hiragana(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\xE3\x81\x82";  // あ, 2 bytes in CP932
  return text;
}

TEST(EditTextRules, CounterShowsTheModesLimit) {
  EXPECT_EQ(EditCounterText(EditMode::Title, 0), "[0 / 100]");
  EXPECT_EQ(EditCounterText(EditMode::Slip, 1000), "[1000 / 1,000]");
}

TEST(EditTextRules, LimitCountsCp932BytesAndLineBreaksAsTwo) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink scoped(&sink);
  // 50 Japanese characters are 100 bytes: accepted.
  const auto title = AcceptEditedText(EditMode::Title, Hiragana(50));
  ASSERT_TRUE(title);
  EXPECT_EQ(title->size(), 100u);
  EXPECT_TRUE(sink.Messages().empty());
  // One more is refused with 30008.
  EXPECT_FALSE(AcceptEditedText(EditMode::Title, Hiragana(51)));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30008});
  // A slip of 998 bytes and one line break is 1000 bytes; two breaks are too many.
  const std::string slip(998, 'a');
  EXPECT_EQ(AcceptEditedText(EditMode::Slip, slip.substr(0, 499) + "\n" + slip.substr(499)),
            slip.substr(0, 499) + "\r\n" + slip.substr(499));
  EXPECT_FALSE(AcceptEditedText(EditMode::Slip, slip + "\n\n"));
}

class RelatedTextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = test::MakeTempFolder("reltext");
    folder_ = root_ / "PLUMEDATA" / "TXT" / "34";
    file_ = folder_ / "00001234.TXT";
  }
  void TearDown() override { fs::remove_all(root_); }

  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink scoped_{&sink_};
  fs::path root_, folder_, file_;
};

TEST_F(RelatedTextFileTest, LoadGivesTheBytesAsTheyAreOrNothing) {
  EXPECT_EQ(LoadRelatedText(file_), "");
  WriteBytes(file_, std::string("\x82\xA0\r\n\0x", 5));
  EXPECT_EQ(LoadRelatedText(file_), std::string("\x82\xA0\r\n\0x", 5));
  EXPECT_EQ(LoadRelatedText(folder_), "");  // a folder is not a text
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(RelatedTextFileTest, SaveAsksThenCreatesTheFolderAndWritesBytes) {
  sink_.Answer(MsgResult::Yes);
  EXPECT_EQ(SaveRelatedText(folder_, file_, "\x82\xA0\r\n"), RelatedTextSave::Saved);
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30074});
  EXPECT_EQ(ReadBytes(file_), "\x82\xA0\r\n");
  // An emptied pane leaves a file of 0 bytes, and no temporary file behind.
  sink_.Answer(MsgResult::Yes);
  EXPECT_EQ(SaveRelatedText(folder_, file_, ""), RelatedTextSave::Saved);
  EXPECT_TRUE(fs::exists(file_));
  EXPECT_EQ(fs::file_size(file_), 0u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(RelatedTextFileTest, DecliningTouchesNothing) {
  sink_.Answer(MsgResult::No);
  EXPECT_EQ(SaveRelatedText(folder_, file_, "text"), RelatedTextSave::Declined);
  EXPECT_FALSE(fs::exists(root_ / "PLUMEDATA"));
}

TEST_F(RelatedTextFileTest, FailuresKeepTheOldTextAndReportOnlyTheFile) {
  // A file where the folder should be: no message, nothing saved.
  WriteBytes(root_ / "PLUMEDATA" / "TXT", "in the way");
  sink_.Answer(MsgResult::Yes);
  EXPECT_EQ(SaveRelatedText(folder_, file_, "text"), RelatedTextSave::Failed);
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30074});
  fs::remove(root_ / "PLUMEDATA" / "TXT");

  // The file cannot be replaced (a folder stands in its place): 30026 with the path.
  WriteBytes(folder_ / "keep.TXT", "old");
  fs::create_directories(file_);
  WriteBytes(file_ / "inside", "x");
  sink_.Reset();
  sink_.Answer(MsgResult::Yes);
  EXPECT_EQ(SaveRelatedText(folder_, file_, "new"), RelatedTextSave::Failed);
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30074, 30026}));
  EXPECT_EQ(sink_.Last().prefix, file_.string() + "\n");
  EXPECT_FALSE(fs::exists(fs::path(file_) += ".new"));
  EXPECT_EQ(ReadBytes(folder_ / "keep.TXT"), "old");
}

TEST(RelatedTextTakeOver, AsksOnlyWhenThePaneHoldsText) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink scoped(&sink);
  EXPECT_TRUE(ConfirmTextTakeOver(true));
  EXPECT_TRUE(sink.Messages().empty());
  sink.Answer(MsgResult::No);
  EXPECT_FALSE(ConfirmTextTakeOver(false));
  sink.Answer(MsgResult::Yes);
  EXPECT_TRUE(ConfirmTextTakeOver(false));
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30089, 30089}));
  EXPECT_EQ(sink.Last().icon, platform::MsgIcon::Question);
}

}  // namespace
}  // namespace plume::store
