// The settings sheet's rules: typed spin values, the animation count, radio
// fallbacks, the write on OK and the store folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "shell/SettingsSheetValues.h"

namespace plume::shell {
namespace {

namespace settings = platform::settings;
namespace KanSet = settings::KanSet;

TEST(SettingsSheet, SpinFieldsTakeDigitsIgnoreCommasAndClamp) {
  const struct {
    const char* typed;
    SpinRange range;
    int expected;
  } cases[] = {
      {"1,200", kImageWRange, 1200}, {"3000", kImageWRange, 2000}, {"12", kImageWRange, 500},
      {"", kImageWRange, 500},       {"5,000", kViewSizeRange, 5000}, {"99999999999999", kMenuLenRange, 200},
      {"15", kNodeWidthRange, 20},   {"10", kNodeHeightRange, 10},
  };
  for (const auto& c : cases) EXPECT_EQ(SpinValue(c.typed, c.range), c.expected) << c.typed;
}

TEST(SettingsSheet, AnimationOffIsStoredAsZeroAndReopensWithThree) {
  platform::MemorySettingsStore store;
  SettingsSheetValues v = LoadSheetValues(store, 5);
  EXPECT_TRUE(v.playAnime);
  EXPECT_EQ(v.animeCount, 5);
  v.playAnime = false;
  const SheetSaveResult saved = SaveSheetValues(store, v, 5);
  EXPECT_EQ(saved.animeCount, 0);
  EXPECT_EQ(settings::Get(store, KanSet::PlayAnime), 0);
  const SettingsSheetValues reopened = LoadSheetValues(store, saved.animeCount);
  EXPECT_FALSE(reopened.playAnime);
  EXPECT_EQ(reopened.animeCount, 3);
}

TEST(SettingsSheet, UnchangedAnimationCountIsNotWritten) {
  platform::MemorySettingsStore store;
  settings::Set(store, KanSet::PlayAnime, 7);  // differs from the application's count
  SaveSheetValues(store, LoadSheetValues(store, 4), 4);
  EXPECT_EQ(settings::Get(store, KanSet::PlayAnime), 7);
}

TEST(SettingsSheet, UnknownStoredChoicesShowTheFirstButton) {
  EXPECT_EQ(QualityButton(55), 0);
  EXPECT_EQ(QualityButton(40), 2);
  EXPECT_EQ(ImageTypeButton("WEBP"), 0);
  EXPECT_EQ(ImageTypeButton("PNG"), 3);
  EXPECT_EQ(HitMaxButton(1000), 1);
  EXPECT_EQ(NodeWClickButton(9), 0);
  platform::MemorySettingsStore store;
  settings::Set(store, KanSet::Quality, 55);
  settings::Set(store, KanSet::ImageType, "WEBP");
  const SettingsSheetValues v = LoadSheetValues(store, 3);
  EXPECT_EQ(v.quality, 100);
  EXPECT_EQ(v.imageType, "JPEG");
}

TEST(SettingsSheet, HomeChangeIsReportedAndStoreFolderCreated) {
  platform::MemorySettingsStore store;
  const std::filesystem::path root = std::filesystem::path(::testing::TempDir()) / "sheet-store";
  std::filesystem::remove_all(root);
  SettingsSheetValues v = LoadSheetValues(store, 3);
  EXPECT_FALSE(SaveSheetValues(store, v, 3).homeChanged);
  v.home = "about:blank";
  v.storePath = (root / "a" / "b").string();
  EXPECT_TRUE(SaveSheetValues(store, v, 3).homeChanged);
  EXPECT_TRUE(std::filesystem::is_directory(root / "a" / "b" / "PLUMEDATA"));
  EXPECT_EQ(settings::Get(store, KanSet::Home), "about:blank");
}

TEST(SettingsSheet, FolderChooserStartsAtAnAbsoluteFieldOrHome) {
  EXPECT_EQ(ChooserStartFolder("/data/store", "/home/u"), "/data/store");
  EXPECT_EQ(ChooserStartFolder("", "/home/u"), "/home/u");
  EXPECT_EQ(ChooserStartFolder("c:\\x", "/home/u"), "/home/u");
}

}  // namespace
}  // namespace plume::shell
