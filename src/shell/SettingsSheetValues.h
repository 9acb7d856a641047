#pragma once
// The settings sheet's working copy of section KanSet: loaded with the
// defaults when the sheet opens, written in a fixed order on OK. The rules of
// the sheet's fields (typed digits, limits, radio buttons and their
// fallbacks) live here so the pages only show them.

#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

namespace plume::shell {

struct SettingsSheetValues {
  std::string storePath;  ///< UTF-8
  bool firstOpen = false;
  int viewW = 1000;
  int viewH = 1000;
  bool playAnime = true;
  int animeCount = 3;     ///< 1..10, shown also while the animation is off
  bool makeBackup = true;
  int recoveryMin = 1;     ///< minutes between recovery copies
  int imageW = 1000;
  int quality = 70;
  std::string imageType = "JPEG";
  int imageDefW = 150;
  std::string home;       ///< UTF-8
  int menuLen = 40;
  int nodeWClick = 1;
  int nodeWidth = 100;
  int nodeHeight = 50;
  bool tateYokoKotei = true;
  bool refleshPic = true;
  int hitMax = 500;
  bool fukugen = true;
  bool kakunin = true;
  bool fullText = true;  ///< read the text inside materials for the search
};

/// The limits of the sheet's spin fields.
struct SpinRange {
  int low;
  int high;
};
inline constexpr SpinRange kViewSizeRange{500, 5000};
inline constexpr SpinRange kAnimeCountRange{1, 10};
inline constexpr SpinRange kMenuLenRange{20, 200};
inline constexpr SpinRange kImageWRange{500, 2000};
inline constexpr SpinRange kImageDefWRange{50, 500};
inline constexpr SpinRange kRecoveryMinRange{1, 60};
/// The wider limits keep every stored node size valid (the labels show 50..300 and 50..200).
inline constexpr SpinRange kNodeWidthRange{20, 300};
inline constexpr SpinRange kNodeHeightRange{10, 200};

/// A spin field's text as a value: digits with "," ignored, kept within
/// `range` (a value outside it becomes the nearest limit; no digits at all
/// give the lower limit).
int SpinValue(std::string_view typed, SpinRange range);

/// Radio button index for a stored value; the first button for an unknown value.
int QualityButton(int quality);                ///< 100, 70, 40
int QualityOfButton(int button);
int ImageTypeButton(std::string_view type);    ///< JPEG, GIF, BMP, PNG, TIFF
const char* ImageTypeOfButton(int button);
int HitMaxButton(int hitMax);                  ///< 500, 1000, 3000
int HitMaxOfButton(int button);
/// `NodeWClick` 0, 1, 2 as its button; anything else the first.
int NodeWClickButton(int value);

/// Loads the working copy; `animeCount` is the application's current pointer
/// count (0 = off, which shows the count 3).
SettingsSheetValues LoadSheetValues(const platform::SettingsStore& store, int animeCount);

struct SheetSaveResult {
  int animeCount;     ///< the application's pointer count afterwards
  bool homeChanged;   ///< the HTML area must show the new home page
};
/// Writes the values in the sheet's order and creates StorePath/PLUMEDATA
/// (a failure is not reported: the setting is stored anyway).
SheetSaveResult SaveSheetValues(platform::SettingsStore& store, const SettingsSheetValues& values, int animeCount);

/// Where the store folder chooser opens: the field's text when it is an
/// absolute path, else the user's home folder `home`.
std::string ChooserStartFolder(std::string_view fieldText, std::string_view home);

}  // namespace plume::shell
