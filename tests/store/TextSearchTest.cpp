#include <gtest/gtest.h>

#include "store/TextSearch.h"

namespace plume::store {
namespace {

constexpr TextSearchOptions kPlain{};
constexpr TextSearchOptions kCase{true, false};
constexpr TextSearchOptions kWord{false, true};

TEST(TextSearch, NextSearchesFromSelectionEndAndWrapsToTheStart) {
  const std::u16string text = u"find me, then more text";
  // Only before the caret: found by wrapping.
  EXPECT_EQ(FindNext(text, u"find", {10, 12}, kPlain), (TextRange{0, 4}));
  // After the caret: the first one after the selection end.
  EXPECT_EQ(FindNext(u"ab ab ab", u"ab", {0, 2}, kPlain), (TextRange{3, 5}));
  // The selected match alone is found again after wrapping.
  EXPECT_EQ(FindNext(u"x ab", u"ab", {2, 4}, kPlain), (TextRange{2, 4}));
  EXPECT_FALSE(FindNext(text, u"absent", {5, 5}, kPlain));
}

TEST(TextSearch, NextFromTheVeryStartDoesNotSearchTwice) {
  EXPECT_FALSE(FindNext(u"abc", u"zz", {0, 0}, kPlain));
  EXPECT_EQ(FindNext(u"abc", u"bc", {0, 0}, kPlain), (TextRange{1, 3}));
}

TEST(TextSearch, PreviousSearchesBackwardAndWrapsToTheEnd) {
  const std::u16string text = u"ab ab ab";
  EXPECT_EQ(FindPrevious(text, u"ab", {6, 8}, kPlain), (TextRange{3, 5}));
  EXPECT_EQ(FindPrevious(text, u"ab", {3, 5}, kPlain), (TextRange{0, 2}));
  // Nothing before the selection start: the last one of the text.
  EXPECT_EQ(FindPrevious(text, u"ab", {0, 2}, kPlain), (TextRange{6, 8}));
  // A match overlapping the selection start is not before it.
  EXPECT_EQ(FindPrevious(u"abcd", u"bc", {2, 2}, kPlain), (TextRange{1, 3}));
  EXPECT_FALSE(FindPrevious(text, u"ba", {8, 8}, kPlain));
}

TEST(TextSearch, MatchCaseDecidesWhetherCaseMatters) {
  EXPECT_EQ(FindNext(u"xx ABC", u"abc", {}, kPlain), (TextRange{3, 6}));
  EXPECT_FALSE(FindNext(u"xx ABC", u"abc", {}, kCase));
  // Full-width, accented and Cyrillic letters fold as well.
  EXPECT_TRUE(FindNext(u"\uFF21\uFF22", u"\uFF41\uFF42", {}, kPlain));
  EXPECT_TRUE(FindNext(u"\u00C9T\u00C9", u"\u00E9t\u00E9", {}, kPlain));
  EXPECT_TRUE(FindNext(u"\u041C\u0418\u0420", u"\u043C\u0438\u0440", {}, kPlain));
  // × is not the capital of ÷.
  EXPECT_FALSE(FindNext(u"\u00D7", u"\u00F7", {}, kPlain));
}

TEST(TextSearch, WholeWordSkipsMatchesInsideWords) {
  const std::u16string text = u"cats cat scat cat_ cat.";
  EXPECT_EQ(FindNext(text, u"cat", {}, kWord), (TextRange{5, 8}));
  EXPECT_EQ(FindNext(text, u"cat", {5, 8}, kWord), (TextRange{19, 22}));
  EXPECT_EQ(FindPrevious(text, u"cat", {5, 5}, kWord), (TextRange{19, 22}));
  // Japanese characters stand apart, so they are found inside a sentence.
  EXPECT_EQ(FindNext(u"\u3053\u308C\u306F\u732B\u3067\u3059", u"\u732B", {}, kWord), (TextRange{3, 4}));
}

TEST(TextSearch, EmptyStringAndOutOfRangeSelectionsFindNothingSafely) {
  EXPECT_FALSE(FindNext(u"abc", u"", {}, kPlain));
  EXPECT_FALSE(FindPrevious(u"", u"a", {}, kPlain));
  EXPECT_EQ(FindNext(u"abc", u"a", {50, 90}, kPlain), (TextRange{0, 1}));
  EXPECT_EQ(FindPrevious(u"abc", u"c", {90, 50}, kPlain), (TextRange{2, 3}));
  EXPECT_FALSE(FindInRange(u"abc", u"abcd", 0, 3, false, kPlain));
}

}  // namespace
}  // namespace plume::store
