#include <gtest/gtest.h>

#include <string>

#include "store/PageText.h"
#include "store/StoredText.h"

namespace plume::store {
namespace {

TEST(TidyPageText, RunsShortLinesTogetherKeepsLongLinesAndDropsBlankOnes) {
  const std::string longLine(60, 'x');
  EXPECT_EQ(TidyPageText("abcdef\r\nabcdefgh\r\n\r\n" + longLine + "\r\n"),
            "abcdef  abcdefgh  " + longLine + "\r\n");
}

TEST(TidyPageText, DropsLinesOfHalfAndFullWidthSpacesOnly) {
  EXPECT_EQ(TidyPageText("\xE3\x80\x80\xE3\x80\x80\r\n  \xE3\x80\x80 \r\nkept\r\n"), "kept  ");
  // A full-width space inside a line is text like any other.
  EXPECT_EQ(TidyPageText(" \xE3\x80\x80x"), " \xE3\x80\x80x  ");
}

TEST(TidyPageText, TextWithoutLineBreakIsOneLine) {
  EXPECT_EQ(TidyPageText("one line"), "one line  ");
  EXPECT_EQ(TidyPageText(std::string(41, 'a')), std::string(41, 'a') + "\r\n");
  EXPECT_EQ(TidyPageText(""), "");
  // The text after the last break is a line of its own.
  EXPECT_EQ(TidyPageText("a\r\nb"), "a  b  ");
}

TEST(TidyPageText, MeasuresLinesInCp932BytesNotUtf8Bytes) {
  // 20 hiragana: 40 CP932 bytes (short) but 60 UTF-8 bytes.
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "\xE3\x81\x82";  // あ
  EXPECT_EQ(Cp932Length(twenty), 40u);
  EXPECT_EQ(TidyPageText(twenty + "\r\n"), twenty + "  ");
  EXPECT_EQ(TidyPageText(twenty + "a\r\n"), twenty + "a\r\n");
}

TEST(TidyPageText, LoneLineFeedDoesNotSplitALine) {
  EXPECT_EQ(TidyPageText("a\nb\r\n"), "a\nb  ");
}

TEST(StoredText, ConvertsLineBreaksAndCodePageBothWays) {
  const std::string pane = "\xE3\x81\x82\nb\n";  // "あ\nb\n"
  const std::string stored = ToStoredText(pane);
  EXPECT_EQ(stored, "\x82\xA0\r\nb\r\n");
  EXPECT_EQ(FromStoredText(stored), pane);
  // A CR LF already in the pane text is not doubled.
  EXPECT_EQ(ToStoredText("a\r\nb"), "a\r\nb");
}

}  // namespace
}  // namespace plume::store
