#include "shell/AreaLayout.h"

#include <gtest/gtest.h>

namespace plume::shell {
namespace {

TEST(AreaLayout, StoredSizesLeaveEveryAreaVisibleUnlessAnAreaCommandHidIt) {
  struct Case {
    const char* what;
    AreaSizes stored;
    AreaSizes fitted;  // in a client of 600 x 320
  };
  const Case cases[] = {
      {"first start: the HTML area's 400 would hide the text area", {400, 400}, {400, 240}},
      {"too wide a left column would hide the chart", {900, 100}, {450, 100}},
      {"sizes that fit stay", {300, 120}, {300, 120}},
      {"small areas the user chose stay small", {10, 5}, {10, 5}},
      {"chart alone", {0, 400}, {0, 240}},
      {"HTML area alone", {1400, 770}, {600, 320}},
      {"text area alone", {1400, 0}, {600, 0}},
      {"HTML area hidden, chart shown", {300, 0}, {300, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitStoredAreaSizes(c.stored, 600, 320), c.fitted) << c.what;
}

TEST(AreaLayout, ANewSizeIsSharedInProportion) {
  struct Case {
    std::vector<int> sizes;
    int total;
    std::vector<int> shared;
  };
  const Case cases[] = {
      {{100, 300}, 800, {200, 600}},
      {{200, 600}, 400, {100, 300}},
      {{1, 2}, 10, {3, 7}},       // the remainder goes to the last area
      {{0, 300}, 500, {0, 500}},  // a hidden area stays hidden
      {{300, 0}, 500, {500, 0}},
      {{0, 0}, 500, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(ShareInProportion(c.sizes, c.total), c.shared) << c.total;
}

}  // namespace
}  // namespace plume::shell
