#pragma once
// The animated-pointer switch (F10).

#include <string>

namespace plume::shell {

/// The count after the switch: 0 when it was on, otherwise `playAnime`
/// (a stored 0 switches on with the default 3).
int ToggledAnimeCount(int current, int playAnime);

/// The status bar text after the switch: 30086, with "する" replaced by
/// "しない" when the pointer was switched off.
std::string AnimeSwitchedText(int newCount);

}  // namespace plume::shell
