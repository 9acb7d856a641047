#include "shell/SettingsSheetValues.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "platform/SettingsTable.h"

namespace plume::shell {

namespace settings = platform::settings;
namespace KanSet = settings::KanSet;

namespace {

constexpr std::array<int, 3> kQualities{100, 70, 40};
constexpr std::array<const char*, 5> kImageTypes{"JPEG", "GIF", "BMP", "PNG", "TIFF"};
constexpr std::array<int, 3> kHitMax{500, 1000, 3000};
constexpr int kAnimeCountWhenOff = 3;

template <typename Array, typename Value>
int IndexOr0(const Array& values, const Value& v) {
  for (std::size_t i = 0; i < values.size(); ++i)
    if (values[i] == v) return static_cast<int>(i);
  return 0;
}

int ClampTo(int v, SpinRange r) { return std::clamp(v, r.low, r.high); }

}  // namespace

int SpinValue(std::string_view typed, SpinRange range) {
  long long value = 0;
  bool digits = false;
  for (char c : typed) {
    if (c == ',') continue;
    if (c < '0' || c > '9') break;
    digits = true;
    value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000LL);
  }
  if (!digits) return range.low;
  return ClampTo(static_cast<int>(value), range);
}

int QualityButton(int quality) { return IndexOr0(kQualities, quality); }
int QualityOfButton(int button) { return kQualities[static_cast<std::size_t>(std::clamp(button, 0, 2))]; }
int ImageTypeButton(std::string_view type) {
  for (std::size_t i = 0; i < kImageTypes.size(); ++i)
    if (type == kImageTypes[i]) return static_cast<int>(i);
  return 0;
}
const char* ImageTypeOfButton(int button) { return kImageTypes[static_cast<std::size_t>(std::clamp(button, 0, 4))]; }
int HitMaxButton(int hitMax) { return IndexOr0(kHitMax, hitMax); }
int HitMaxOfButton(int button) { return kHitMax[static_cast<std::size_t>(std::clamp(button, 0, 2))]; }
int NodeWClickButton(int value) { return value >= 0 && value <= 2 ? value : 0; }

SettingsSheetValues LoadSheetValues(const platform::SettingsStore& store, int animeCount) {
  SettingsSheetValues v;
  v.storePath = settings::Get(store, KanSet::StorePath);
  v.firstOpen = settings::Get(store, KanSet::FirstOpen) == 1;
  v.viewW = ClampTo(settings::Get(store, KanSet::ViewW), kViewSizeRange);
  v.viewH = ClampTo(settings::Get(store, KanSet::ViewH), kViewSizeRange);
  v.playAnime = animeCount != 0;
  v.animeCount = animeCount == 0 ? kAnimeCountWhenOff : ClampTo(animeCount, kAnimeCountRange);
  v.makeBackup = settings::Get(store, KanSet::MakeBackup) == 1;
  v.recoveryMin = std::clamp(settings::Get(store, KanSet::RecoveryMin), kRecoveryMinRange.low, kRecoveryMinRange.high);
  v.imageW = ClampTo(settings::Get(store, KanSet::ImageW), kImageWRange);
  v.quality = QualityOfButton(QualityButton(settings::Get(store, KanSet::Quality)));
  v.imageType = ImageTypeOfButton(ImageTypeButton(settings::Get(store, KanSet::ImageType)));
  v.imageDefW = ClampTo(settings::Get(store, KanSet::ImageDefW), kImageDefWRange);
  v.home = settings::Get(store, KanSet::Home);
  v.menuLen = ClampTo(settings::Get(store, KanSet::MenuLen), kMenuLenRange);
  v.nodeWClick = NodeWClickButton(settings::Get(store, KanSet::NodeWClick));
  v.nodeWidth = ClampTo(settings::Get(store, KanSet::NodeWidth), kNodeWidthRange);
  v.nodeHeight = ClampTo(settings::Get(store, KanSet::NodeHeight), kNodeHeightRange);
  v.tateYokoKotei = settings::Get(store, KanSet::TateYokoKotei) == 1;
  v.refleshPic = settings::Get(store, KanSet::RefleshPic) == 1;
  v.hitMax = HitMaxOfButton(HitMaxButton(settings::Get(store, KanSet::HitMax)));
  v.fukugen = settings::Get(store, KanSet::Fukugen) == 1;
  v.kakunin = settings::Get(store, KanSet::Kakunin) == 1;
  v.fullText = settings::Get(store, KanSet::FullText) == 1;
  return v;
}

SheetSaveResult SaveSheetValues(platform::SettingsStore& store, const SettingsSheetValues& v, int animeCount) {
  SheetSaveResult result{animeCount, v.home != settings::Get(store, KanSet::Home)};
  settings::Set(store, KanSet::StorePath, v.storePath);
  settings::Set(store, KanSet::FirstOpen, v.firstOpen ? 1 : 0);
  settings::Set(store, KanSet::ViewW, v.viewW);
  settings::Set(store, KanSet::ViewH, v.viewH);
  const int anime = v.playAnime ? ClampTo(v.animeCount, kAnimeCountRange) : 0;
  if (anime != animeCount) {
    settings::Set(store, KanSet::PlayAnime, anime);
    result.animeCount = anime;
  }
  settings::Set(store, KanSet::MakeBackup, v.makeBackup ? 1 : 0);
  settings::Set(store, KanSet::RecoveryMin, v.recoveryMin);
  settings::Set(store, KanSet::ImageW, v.imageW);
  settings::Set(store, KanSet::Quality, v.quality);
  settings::Set(store, KanSet::ImageType, v.imageType);
  settings::Set(store, KanSet::ImageDefW, v.imageDefW);
  settings::Set(store, KanSet::Home, v.home);
  settings::Set(store, KanSet::MenuLen, v.menuLen);
  settings::Set(store, KanSet::NodeWClick, v.nodeWClick);
  settings::Set(store, KanSet::NodeWidth, v.nodeWidth);
  settings::Set(store, KanSet::NodeHeight, v.nodeHeight);
  settings::Set(store, KanSet::TateYokoKotei, v.tateYokoKotei ? 1 : 0);
  settings::Set(store, KanSet::RefleshPic, v.refleshPic ? 1 : 0);
  settings::Set(store, KanSet::HitMax, v.hitMax);
  settings::Set(store, KanSet::Fukugen, v.fukugen ? 1 : 0);
  settings::Set(store, KanSet::Kakunin, v.kakunin ? 1 : 0);
  settings::Set(store, KanSet::FullText, v.fullText ? 1 : 0);
  if (!v.storePath.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(v.storePath) / "PLUMEDATA", ec);
  }
  return result;
}

std::string ChooserStartFolder(std::string_view fieldText, std::string_view home) {
  if (!fieldText.empty() && fieldText.front() == '/') return std::string(fieldText);
  return std::string(home);
}

}  // namespace plume::shell
