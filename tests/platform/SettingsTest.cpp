#include "platform/SettingsTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "platform/MemorySettingsStore.h"

namespace plume::platform {
namespace {

namespace s = settings;

// "ＭＳ ゴシック" in CP932 and UTF-8.
const std::string kGothicCp932 = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
const std::string kGothicUtf8 =
    "\xEF\xBC\xAD\xEF\xBC\xB3\x20\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
const std::string kAUtf8 = "\xE3\x81\x82";  // "あ", 0x82A0 in CP932

TEST(SettingsTable, ListsEveryKeyOnceWithAllIndexedEntries) {
  std::set<std::pair<std::string_view, std::string_view>> seen;
  for (const s::AnySetting& setting : s::AllSettings()) {
    EXPECT_FALSE(s::KeyOf(setting).empty());
    EXPECT_TRUE(seen.emplace(s::SectionOf(setting), s::KeyOf(setting)).second)
        << s::SectionOf(setting) << "/" << s::KeyOf(setting) << " listed twice";
  }
  EXPECT_EQ(seen.size(), 140u);
  EXPECT_TRUE(seen.count({"Recent File List", "File10"}));
  EXPECT_TRUE(seen.count({"BM_NAME", "15"}));
  EXPECT_TRUE(seen.count({"BM_URL", "0"}));
  EXPECT_TRUE(seen.count({"SLIP", "refWaku"}));
  EXPECT_TRUE(seen.count({"Insatu", "Zoomed"}));
  EXPECT_TRUE(seen.count({"SUB", "TitlePos"}));
}

TEST(SettingsTable, EmptyStoreYieldsEveryDefault) {
  const MemorySettingsStore store;
  for (const s::AnySetting& setting : s::AllSettings()) {
    EXPECT_EQ(s::ValueText(store, setting), s::DefaultText(setting)) << s::KeyOf(setting);
  }
  EXPECT_EQ(s::Get(store, s::Sys::No), "00000000");
  EXPECT_EQ(s::Get(store, s::NODE.refMen), 16773100);
  EXPECT_EQ(s::Get(store, s::SLIP.FontName), "Meiryo UI");
  EXPECT_EQ(s::Get(store, s::KanSet::Home), std::string(s::kWebSearchSite));
}

TEST(SettingsTable, IndexedKeysFollowTheirNamingAndRefuseOtherIndexes) {
  EXPECT_EQ(s::RecentFile(1).key, "File1");
  EXPECT_EQ(s::RecentFile(10).key, "File10");
  EXPECT_EQ(s::BookmarkName(0).key, "0");
  EXPECT_EQ(s::BookmarkUrl(15).key, "15");
  EXPECT_EQ(s::Style(s::StyleSection::Slip).FontName.section, "SLIP");

  MemorySettingsStore store;
  for (const s::StringSetting& outside :
       {s::RecentFile(0), s::RecentFile(11), s::BookmarkName(-1), s::BookmarkUrl(16)}) {
    s::Set(store, outside, "x");
    EXPECT_EQ(s::Get(store, outside), "");
  }
  EXPECT_EQ(store.Size(), 0u);
}

TEST(SettingsTable, UnreadableIntegersAndColoursFallBackToTheDefault) {
  MemorySettingsStore store;
  store.WriteString("KanSet", "Quality", "high");
  store.WriteString("KanSet", "ImageW", "12abc");
  store.WriteString("KanSet", "ViewW", "99999999999");
  store.WriteString("NODE", "refMen", "");
  store.WriteString("Last", "Zoom", " 150 ");
  EXPECT_EQ(s::Get(store, s::KanSet::Quality), 70);
  EXPECT_EQ(s::Get(store, s::KanSet::ImageW), 1000);
  EXPECT_EQ(s::Get(store, s::KanSet::ViewW), 1000);
  EXPECT_EQ(s::Get(store, s::NODE.refMen), 16773100);
  EXPECT_EQ(s::Get(store, s::Last::Zoom), 150);
}

TEST(SettingsTable, ColoursAreStoredAsDecimalTextIncludingNone) {
  MemorySettingsStore store;
  s::Set(store, s::NODE.refMen, -1);
  s::Set(store, s::SLIP.refText, 0x00FFEFEC);
  EXPECT_EQ(store.ReadString("NODE", "refMen"), "-1");
  EXPECT_EQ(store.ReadString("SLIP", "refText"), "16773100");
  EXPECT_EQ(s::Get(store, s::NODE.refMen), -1);
  EXPECT_EQ(s::Get(store, s::NODE.refWaku), 8388608);  // the other section key untouched
}

TEST(SettingsTable, Cp932SettingsAreKeptAsUtf8InTheStore) {
  MemorySettingsStore store;
  s::Set(store, s::NODE.FontName, kGothicCp932);
  s::Set(store, s::BookmarkName(0), kGothicCp932);
  s::Set(store, s::Kensaku::Text, kGothicCp932);
  EXPECT_EQ(store.ReadString("NODE", "FontName"), kGothicUtf8);
  EXPECT_EQ(store.ReadString("BM_NAME", "0"), kGothicUtf8);
  EXPECT_EQ(s::Get(store, s::NODE.FontName), kGothicCp932);
  EXPECT_EQ(s::Get(store, s::Kensaku::Text), kGothicCp932);
  EXPECT_EQ(s::ValueText(store, s::BookmarkName(0)), kGothicUtf8);

  // Paths and addresses are UTF-8 in the program too and pass unchanged.
  const std::string path = "/home/" + kAUtf8 + "/plan.pbd";
  s::Set(store, s::RecentFile(1), path);
  EXPECT_EQ(store.ReadString("Recent File List", "File1"), path);
  EXPECT_EQ(s::Get(store, s::RecentFile(1)), path);
}

TEST(SettingsTable, FontNameIsCutTo31BytesOnACharacterBoundary) {
  MemorySettingsStore store;
  std::string longUtf8;
  for (int i = 0; i < 20; ++i) longUtf8 += kAUtf8;  // 40 bytes in CP932
  store.WriteString("SLIP", "FontName", longUtf8);
  EXPECT_EQ(s::Get(store, s::SLIP.FontName).size(), 30u);

  std::string longCp932;
  for (int i = 0; i < 20; ++i) longCp932 += "\x82\xA0";
  s::Set(store, s::NODE.FontName, longCp932);
  EXPECT_EQ(store.ReadString("NODE", "FontName")->size(), 15u * kAUtf8.size());
}

TEST(SettingsTable, ResetRestoresTheDefault) {
  MemorySettingsStore store;
  s::Set(store, s::Insatu::MarginLmm, 40);
  s::Set(store, s::Sys::No, "00000012");
  s::Reset(store, s::Insatu::MarginLmm);
  s::Reset(store, s::Sys::No);
  EXPECT_EQ(s::Get(store, s::Insatu::MarginLmm), 25);
  EXPECT_EQ(s::Get(store, s::Sys::No), "00000000");
  EXPECT_EQ(store.Size(), 0u);
}

TEST(MemorySettingsStore, ReadsValuesAcrossTypesLikeAnIniFile) {
  MemorySettingsStore store;
  store.WriteInt("Last", "Zoom", 125);
  store.WriteString("Sys", "No", "00000042");
  store.WriteString("Last", "WebGoku", "");
  EXPECT_EQ(store.ReadString("Last", "Zoom"), "125");
  EXPECT_EQ(store.ReadInt("Sys", "No"), 42);
  EXPECT_EQ(store.ReadString("Last", "WebGoku"), "");  // empty, yet present
  EXPECT_FALSE(store.ReadString("Last", "FilePath").has_value());
  EXPECT_FALSE(store.ReadInt("Last", "WebGoku").has_value());

  store.WriteInt("", "Zoom", 1);
  store.WriteInt("Last", "", 1);
  store.Remove("Last", "Zoom");
  EXPECT_FALSE(store.ReadInt("Last", "Zoom").has_value());
  EXPECT_EQ(store.Size(), 2u);
}

TEST(SettingsStore, ParseIntAcceptsOnlyAWholeDecimalInteger) {
  EXPECT_EQ(SettingsStore::ParseInt("0"), 0);
  EXPECT_EQ(SettingsStore::ParseInt("-1"), -1);
  EXPECT_EQ(SettingsStore::ParseInt("+5"), 5);
  EXPECT_EQ(SettingsStore::ParseInt(" 7\t"), 7);
  EXPECT_EQ(SettingsStore::ParseInt("00000012"), 12);
  EXPECT_EQ(SettingsStore::ParseInt("2147483647"), 2147483647);
  EXPECT_EQ(SettingsStore::ParseInt("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", " ", "+", "-", "+-1", "1.5", "0x10", "1 2", "2147483648", "abc"}) {
    EXPECT_FALSE(SettingsStore::ParseInt(bad).has_value()) << '"' << bad << '"';
  }
}

}  // namespace
}  // namespace plume::platform
