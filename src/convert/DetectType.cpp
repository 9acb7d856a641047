#include "convert/DetectType.h"

#include <array>
#include <utility>

#include "platform/HasExtension.h"

namespace plume::convert {

std::string DetectType(std::string_view text) {
  auto cut = text.rfind('/');
  if (cut == std::string_view::npos) cut = text.rfind('\\');
  if (cut == std::string_view::npos) return {};
  const std::string_view name = text.substr(cut + 1);
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return "HTML";
  const std::string_view ext = name.substr(dot + 1);
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kTypes{{
      {"PDF", "PDF"}, {"JPG", "JPEG"}, {"JPEG", "JPEG"}, {"GIF", "GIF"},
      {"BMP", "BMP"}, {"PNG", "PNG"}, {"TIF", "TIFF"}, {"TIFF", "TIFF"}}};
  for (const auto& [extension, type] : kTypes) {
    if (platform::EqualsNoCase(ext, extension)) return std::string(type);
  }
  return "HTML";
}

}  // namespace plume::convert
