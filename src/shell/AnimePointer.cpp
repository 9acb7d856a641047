#include "shell/AnimePointer.h"

#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::shell {

int ToggledAnimeCount(int current, int playAnime) {
  if (current != 0) return 0;
  return playAnime > 0 ? playAnime : platform::settings::KanSet::PlayAnime.def;
}

std::string AnimeSwitchedText(int newCount) {
  std::string text(platform::StringText(platform::StringId::AnimePointerSwitched));
  if (newCount == 0) {
    const std::string on = "する";
    if (const auto at = text.find(on); at != std::string::npos) text.replace(at, on.size(), "しない");
  }
  return text;
}

}  // namespace plume::shell
