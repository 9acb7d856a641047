#include "store/StorePaths.h"

#include <cstdio>
#include <limits>
#include <system_error>

namespace plume::store {

std::string FormatSerial(Serial number) {
  if (number < 0) number = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%08lld", static_cast<long long>(number));
  return text;
}

std::string BucketOf(std::string_view serialText) {
  if (serialText.size() < 2) return "00";
  return std::string(serialText.substr(serialText.size() - 2));
}

Serial ParseSerial(std::string_view text) {
  constexpr Serial kMax = std::numeric_limits<Serial>::max();
  Serial value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (kMax - digit) / 10) return kMax;  // absurdly long: saturate instead of wrapping
    value = value * 10 + digit;
  }
  return value;
}

bool EnsureFolder(const std::filesystem::path& path) {
  if (path.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

}  // namespace plume::store
