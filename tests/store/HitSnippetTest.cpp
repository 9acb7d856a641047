#include <gtest/gtest.h>

#include <string>

#include "store/index/HitSnippet.h"

namespace plume::store::index {
namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(HitSnippet, KeepsSixtyBytesEitherSideOnCharacterBoundaries) {
  const std::string a = "\x82\xA0";  // あ
  struct Case {
    std::string body, needle, expected;
  } cases[] = {
      // Short text: all of it, line breaks and tabs as blanks, no ellipsis.
      {"ab\r\ncd\tef", "d", "ab  cd ef"},
      // Long text: cut 60 bytes either side, "…" where text was left out.
      {Repeat("x", 100) + "HIT" + Repeat("y", 100), "HIT", "…" + Repeat("x", 60) + "HIT" + Repeat("y", 60) + "…"},
      // 60 bytes back lands inside a character: the cut moves past it.
      {Repeat(a, 30) + "bHIT", "HIT", "…" + Repeat(a, 29) + "bHIT"},
      // 60 bytes on lands inside a character: the cut takes all of it.
      {"HITb" + Repeat(a, 31), "HIT", "HITb" + Repeat(a, 30) + "…"},
      // The hit is looked for by characters: a trail byte that reads as the needle is no hit.
      {Repeat("\x83\x41", 40) + "A", "A", "…" + Repeat("\x83\x41", 30) + "A"},  // ア ends in "A"
  };
  for (const Case& c : cases) EXPECT_EQ(HitSnippet(c.body, c.needle), c.expected) << c.body;
}

}  // namespace
}  // namespace plume::store::index
