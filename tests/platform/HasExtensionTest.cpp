#include "platform/HasExtension.h"

#include <gtest/gtest.h>

namespace plume::platform {
namespace {

TEST(HasExtension, MatchesTheLastExtensionIgnoringAsciiCase) {
  struct Case {
    const char* path;
    const char* extension;
    bool expected;
  };
  const Case cases[] = {
      {"/home/u/plan.pbd", "pbd", true},  {"plan(back).PBD", "pbd", true},  {"a/b.Pbd", "PBD", true},
      {"a/plan.pbd.txt", "pbd", false},   {"a/planpbd", "pbd", false},       {".pbd", "pbd", false},
      {"a.pbd/plan", "pbd", false},       {"plan.jpeg", "jpg", false},       {"x.\xE6\x97\xA5.pbd", "pbd", true},
  };
  for (const Case& c : cases) EXPECT_EQ(HasExtension(c.path, c.extension), c.expected) << c.path;
  EXPECT_TRUE(EqualsNoCase("JpEg", "jpeg"));
  EXPECT_FALSE(EqualsNoCase("jpg", "jpeg"));
  EXPECT_TRUE(EndsWithNoCase("plan(back).PBD", "pbd"));
  EXPECT_FALSE(EndsWithNoCase("bd", "pbd"));
}

}  // namespace
}  // namespace plume::platform
