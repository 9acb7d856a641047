#include <gtest/gtest.h>

#include "convert/TextLines.h"

namespace plume::convert {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitTextLines, AcceptsLfCrLfAndLoneCrInOneText) {
  EXPECT_EQ(SplitTextLines("a\r\nb\n\nc"), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(SplitTextLines("a\rb\r\nc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitTextLines("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(SplitTextLines, EndsWithoutAnEmptyLastLine) {
  EXPECT_EQ(SplitTextLines(""), Lines{});
  EXPECT_EQ(SplitTextLines("\n"), Lines{""});
  EXPECT_EQ(SplitTextLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitTextLines("a\r"), Lines{"a"});
  EXPECT_EQ(SplitTextLines("a\n\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitTextLines(std::string("a\0b", 3)), Lines{std::string("a\0b", 3)});
}

// Page width 1000: usable width 940, font size 12, a byte 6 points wide.
TEST(WrapTextLines, CutsSingleByteTextAfterTheByteThatPassesTheLimit) {
  EXPECT_EQ(WrapTextLines({std::string(156, 'a')}, 940, 12), Lines{std::string(156, 'a')});
  EXPECT_EQ(WrapTextLines({std::string(157, 'a')}, 940, 12), (Lines{std::string(156, 'a'), "a"}));
  EXPECT_EQ(WrapTextLines({std::string(400, 'a')}, 940, 12),
            (Lines{std::string(156, 'a'), std::string(156, 'a'), std::string(88, 'a')}));
  EXPECT_EQ(WrapTextLines({"", "x"}, 940, 12), (Lines{"", "x"}));
}

TEST(WrapTextLines, NeverSplitsADoubleByteCharacter) {
  std::string kana78, kana79;
  for (int i = 0; i < 78; ++i) kana78 += "\x82\xA0";
  kana79 = kana78 + "\x82\xA2";
  EXPECT_EQ(WrapTextLines({kana78}, 940, 12), Lines{kana78});
  EXPECT_EQ(WrapTextLines({kana79}, 940, 12), (Lines{kana78, "\x82\xA2"}));
  // 155 single bytes then a double-byte character: the buffer of 157 bytes
  // passes 934 at the lead byte's pair, so the pair stays whole in piece one.
  const std::string mixed = std::string(155, 'a') + "\x82\xA0" + "bc";
  const Lines wrapped = WrapTextLines({mixed}, 940, 12);
  ASSERT_EQ(wrapped.size(), 2u);
  EXPECT_EQ(wrapped[0], std::string(155, 'a') + "\x82\xA0");
  EXPECT_EQ(wrapped[1], "bc");
}

TEST(WrapTextLines, ALeadByteAtTheEndEndsTheLine) {
  const std::string line = std::string(160, 'a') + "\x82";
  const Lines wrapped = WrapTextLines({line}, 940, 12);
  EXPECT_EQ(wrapped, (Lines{std::string(156, 'a'), std::string(4, 'a') + "\x82"}));
}

}  // namespace
}  // namespace plume::convert
