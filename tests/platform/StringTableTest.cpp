#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "platform/Messages.h"

namespace plume::platform {
namespace {

struct Entry {
  int id;
  std::string_view text;
};

// The table as written, read through the same X-macro the program uses.
constexpr Entry kTable[] = {
#define PLUME_STRING(id, name, text) {id, text},
#include "resources/strings/StringTable.inc"
#undef PLUME_STRING
};

struct Tooltip {
  int id;
  std::string_view title;
  std::string_view description;
};

struct TooltipFill {
  int id;
  std::string_view text;
};

constexpr Tooltip kTooltips[] = {
#define PLUME_TOOLTIP(id, title, description) {id, title, description},
#include "resources/strings/Tooltips.inc"
#undef PLUME_TOOLTIP
};

constexpr TooltipFill kTooltipFills[] = {
#define PLUME_TOOLTIP_FILL(id, name, text) {id, text},
#include "resources/strings/Tooltips.inc"
#undef PLUME_TOOLTIP_FILL
};

// True when `s` is well-formed UTF-8 (no stray, truncated or overlong sequences).
bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    if (lead < 0x80) extra = 0;
    else if (lead >= 0xC2 && lead <= 0xDF) extra = 1;
    else if (lead >= 0xE0 && lead <= 0xEF) extra = 2;
    else if (lead >= 0xF0 && lead <= 0xF4) extra = 3;
    else return false;
    if (i + extra >= s.size()) return false;  // truncated sequence
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    if (lead == 0xE0 && static_cast<unsigned char>(s[i + 1]) < 0xA0) return false;
    if (lead == 0xF0 && static_cast<unsigned char>(s[i + 1]) < 0x90) return false;
    i += extra + 1;
  }
  return true;
}

std::size_t Count(std::string_view s, std::string_view what) {
  std::size_t n = 0;
  for (auto pos = s.find(what); pos != std::string_view::npos; pos = s.find(what, pos + 1)) ++n;
  return n;
}

TEST(StringTable, EveryIdIsUniqueAndLooksUpItsOwnUtf8Text) {
  std::set<int> ids;
  for (const Entry& e : kTable) {
    SCOPED_TRACE(e.id);
    EXPECT_TRUE(ids.insert(e.id).second) << "id listed twice";
    EXPECT_FALSE(StringText(e.id).empty());
    EXPECT_EQ(StringText(e.id), e.text);
    EXPECT_TRUE(IsUtf8(e.text));
  }
  // The start-up failure, the whole message range the program uses and the
  // About dialog's notes are all there.
  EXPECT_TRUE(ids.count(100));
  EXPECT_TRUE(ids.count(30001));
  EXPECT_TRUE(ids.count(30092));
  EXPECT_TRUE(ids.count(30163));
  EXPECT_TRUE(ids.count(30301));
}

TEST(StringTable, SampleTextsAreExactAndTheEnumNamesTheSameEntries) {
  EXPECT_EQ(StringText(30019), "ファイル形式が異なります");
  EXPECT_EQ(StringText(30020), "このドキュメントバージョンには対応できません");
  EXPECT_EQ(StringText(30043), "アークの最大セット件数を超えました");
  EXPECT_EQ(StringText(30014),
            "ノードの数が制限(10,000)を超えました\nこれ以上、セットできません");
  EXPECT_EQ(Count(StringText(30033), "\n\n"), 2u);
  // Full-width text and a literal percent sign survive as written.
  EXPECT_EQ(StringText(30015), "１個ずつドラッグ＆ドロップしてください");
  EXPECT_NE(StringText(30085).find("等倍(100%)"), std::string_view::npos);

  EXPECT_EQ(StringText(StringId::FileFormatDiffers), StringText(30019));
  EXPECT_EQ(StringText(StringId::NodeLimitExceeded), StringText(30014));
  EXPECT_EQ(StringText(StringId::ManualNotFound), StringText(30163));
  EXPECT_EQ(static_cast<int>(StringId::ComponentInitFailed), 100);
}

TEST(StringTable, UnknownIdsGiveEmptyText) {
  for (int id : {INT_MIN, -1, 0, 99, 101, 30000, 30004, 30058, 30093, 30162, 30199, 30215,
                 30300, 39999, INT_MAX}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(StringText(id).empty());
  }
}

TEST(StringTable, VersionNotesFillTheAboutListOneLineEach) {
  for (int id = 30200; id <= 30214; ++id) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(StringText(id).empty());
    EXPECT_EQ(StringText(id).find('\n'), std::string_view::npos);
  }
}

TEST(RibbonTooltips, EachElementHasOneWellFormedTooltip) {
  std::set<int> ids;
  for (const Tooltip& t : kTooltips) {
    SCOPED_TRACE(t.id);
    EXPECT_TRUE(ids.insert(t.id).second) << "element listed twice";
    EXPECT_EQ(t.title.rfind("【", 0), 0u) << "title starts with its name in brackets";
    EXPECT_NE(t.title.find("】"), std::string_view::npos);
    EXPECT_EQ(t.title.find('\n'), std::string_view::npos) << "the title is one line";
    EXPECT_FALSE(t.description.empty());
    EXPECT_TRUE(IsUtf8(t.title));
    EXPECT_TRUE(IsUtf8(t.description));
  }
  // Elements the ribbon initialisation looks up all have a tooltip.
  for (int id : {32829, 355, 32885, 32827, 32847, 32846, 320, 347, 394, 32815, 32816}) {
    EXPECT_TRUE(ids.count(id)) << id;
  }
}

TEST(RibbonTooltips, OnlyDescriptionsWithFillsHoldAPlaceholder) {
  std::map<int, int> fills;
  for (const TooltipFill& f : kTooltipFills) {
    EXPECT_FALSE(f.text.empty());
    ++fills[f.id];
  }
  const std::map<int, int> expected{{355, 2}, {32829, 1}};  // 355: formatted and plain text
  EXPECT_EQ(fills, expected);
  for (const Tooltip& t : kTooltips) {
    SCOPED_TRACE(t.id);
    EXPECT_EQ(Count(t.description, "%"), fills.count(t.id) ? 1u : 0u);
    if (fills.count(t.id)) {
      EXPECT_EQ(Count(t.description, "%s"), 1u);
    }
  }
}

}  // namespace
}  // namespace plume::platform
