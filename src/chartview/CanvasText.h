#pragma once
// Record text (CP932 bytes) as canvas text (UTF-8). Plain ASCII, the common
// case of face names and many titles, passes without a conversion.

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/Cp932.h"

namespace plume::chartview {

inline std::string ToCanvasText(std::string_view cp932) {
  const bool ascii = std::all_of(cp932.begin(), cp932.end(), [](char c) { return (c & 0x80) == 0; });
  return ascii ? std::string(cp932) : platform::Cp932ToUtf8(cp932);
}

}  // namespace plume::chartview
