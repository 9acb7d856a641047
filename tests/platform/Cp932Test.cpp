#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace plume::platform {
namespace {

using namespace std::string_literals;

// "日本語" in CP932 and UTF-8.
const std::string kNihongoCp932 = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Cp932Codec, ConvertsJapaneseBothWays) {
  EXPECT_EQ(Utf8ToCp932(kNihongoUtf8), kNihongoCp932);
  EXPECT_EQ(Cp932ToUtf8(kNihongoCp932), kNihongoUtf8);
  // Half-width katakana "ｱ" is a single byte; ASCII passes unchanged.
  EXPECT_EQ(Utf8ToCp932("A\xEF\xBD\xB1z"), "A\xB1z");
  EXPECT_EQ(Cp932ToUtf8("A\xB1z"), "A\xEF\xBD\xB1z");
  // Extension rows of code page 932: circled one (0x8740) and small roman one (0xFA40).
  EXPECT_EQ(Cp932ToUtf8("\x87\x40\xFA\x40"), "\xE2\x91\xA0\xE2\x85\xB0");
}

TEST(Cp932Codec, AcceptsTheJisFormsLinuxInputMethodsProduce) {
  // WAVE DASH U+301C and MINUS SIGN U+2212 have CP932 forms (0x8160, 0x817C).
  EXPECT_EQ(Utf8ToCp932("\xE3\x80\x9C"), "\x81\x60");
  EXPECT_EQ(Utf8ToCp932("\xE2\x88\x92"), "\x81\x7C");
}

TEST(Cp932Codec, CharacterWithoutCp932FormBecomesOneQuestionMark) {
  EXPECT_EQ(Utf8ToCp932("a\xE2\x82\xAC" "b"), "a?b");           // euro sign
  EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80" + kNihongoUtf8), "?" + kNihongoCp932);  // emoji
}

TEST(Cp932Codec, BrokenUtf8NeverStopsTheConversion) {
  EXPECT_EQ(Utf8ToCp932("\xE6\x97" "A"), "?A");  // character cut short
  EXPECT_EQ(Utf8ToCp932("x\xFF" "y"), "x?y");
  EXPECT_EQ(Utf8ToCp932("\xC0\xAF"), "??");      // overlong "/"
  EXPECT_EQ(Utf8ToCp932("\xED\xA0\x80"), "???"); // encoded surrogate
  EXPECT_EQ(Utf8ToCp932("end\xE6"), "end?");
}

TEST(Cp932Codec, BrokenCp932BecomesReplacementCharacters) {
  EXPECT_EQ(Cp932ToUtf8("\x80"), kReplacement);
  EXPECT_EQ(Cp932ToUtf8("A\x93"), "A" + kReplacement);             // lead byte at the end
  EXPECT_EQ(Cp932ToUtf8("\x93 x"), kReplacement + " x");           // lead byte before a space
  EXPECT_EQ(Cp932ToUtf8("\x85\x40" "b"), kReplacement + "b");      // unassigned pair: one character
  EXPECT_EQ(Cp932ToUtf8("\xFD\xFE\xFF"), kReplacement + kReplacement + kReplacement);
}

TEST(Cp932Codec, ExactConversionRefusesWhatIsNotCp932) {
  EXPECT_EQ(Cp932ToUtf8Exact(kNihongoCp932), kNihongoUtf8);
  EXPECT_EQ(Cp932ToUtf8Exact(""), "");
  for (const std::string broken : {"\x80"s, "A\x93"s, "\x85\x40"s, kNihongoUtf8}) {
    EXPECT_EQ(Cp932ToUtf8Exact(broken), std::nullopt) << broken;
  }
}

TEST(Cp932Codec, LongTextAndEmbeddedNulSurvive) {
  std::string longCp932;
  for (int i = 0; i < 5000; ++i) longCp932 += kNihongoCp932;
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(longCp932)), longCp932);
  EXPECT_EQ(Cp932ToUtf8("a\0b"s), "a\0b"s);
  EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(Cp932Codec, ConvertsOnSeveralThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (std::size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < 2000; ++i) {
        if (Utf8ToCp932(kNihongoUtf8 + "\xE2\x82\xAC") != kNihongoCp932 + "?") ++failures[t];
        if (Cp932ToUtf8(kNihongoCp932 + "\x80") != kNihongoUtf8 + kReplacement) ++failures[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int count : failures) EXPECT_EQ(count, 0);
}

TEST(Cp932Cut, NeverSplitsADoubleByteCharacter) {
  const std::string text = "ab" + kNihongoCp932;  // a b [93 FA] [96 7B] [8C EA]
  EXPECT_EQ(Cp932CutLength(text, 0), 0u);
  EXPECT_EQ(Cp932CutLength(text, 3), 2u);
  EXPECT_EQ(Cp932CutLength(text, 4), 4u);
  EXPECT_EQ(Cp932CutLength(text, 5), 4u);
  EXPECT_EQ(Cp932CutLength(text, 100), text.size());
  EXPECT_EQ(CutToBytes(text, 7), "ab\x93\xFA\x96\x7B");
  // A second byte in the lead range (0x95) is still the second half: the walk starts at the front.
  EXPECT_EQ(Cp932CutLength("\x93\x95\x95\x41", 3), 2u);
  // Half-width katakana are single bytes.
  EXPECT_EQ(Cp932CutLength("\xB1\xB2\xB3", 2), 2u);
}

TEST(Cp932Cut, StopsAtNulAndAtALeadByteWithoutItsPair) {
  EXPECT_EQ(Cp932CutLength("ab\0cd"s, 5), 2u);
  EXPECT_EQ(Cp932CutLength("ab\x93", 10), 2u);
  EXPECT_EQ(Cp932CutLength("ab\x93\0x"s, 10), 2u);
}

TEST(Cp932Field, CopyCutsOnACharacterAndZeroFillsTheRest) {
  char field[8];
  std::fill(std::begin(field), std::end(field), 'X');
  CopyToField(field, "abc");
  EXPECT_EQ(std::string(field, sizeof field), "abc\0\0\0\0\0"s);

  std::fill(std::begin(field), std::end(field), 'X');
  CopyToField(field, "abcdef" + kNihongoCp932);  // 7 bytes allowed: the 7th would split 日
  EXPECT_EQ(std::string(field, sizeof field), "abcdef\0\0"s);

  char one[1] = {'X'};
  CopyToField(one, "abc");
  EXPECT_EQ(one[0], '\0');
  CopyToField(nullptr, 0, "abc");  // nothing to write into, nothing written
}

TEST(Cp932Field, TextEndsAtTheFirstNulOrTheFieldEnd) {
  const char withNul[6] = {'a', 'b', '\0', 'c', 'd', 'e'};
  EXPECT_EQ(FieldText(withNul), "ab");
  const char full[4] = {'w', 'x', 'y', 'z'};
  EXPECT_EQ(FieldText(full), "wxyz");
  EXPECT_EQ(FieldText(nullptr, 0), "");
}

}  // namespace
}  // namespace plume::platform
