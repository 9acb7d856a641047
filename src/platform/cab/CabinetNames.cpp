#include "platform/cab/CabinetNames.h"

#include <glib.h>

#include "platform/Cabinet.h"
#include "platform/Cp932.h"

namespace plume::platform::cab {

bool IsAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

std::string StoredNameProblem(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return "the stored name is empty, \".\" or \"..\"";
  if (name.size() > kMaxStoredNameBytes) return "the stored name is longer than 255 bytes";
  if (name.find_first_of("/\\") != std::string_view::npos ||
      name.find('\0') != std::string_view::npos)
    return "the stored name holds a folder separator";
  if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr))
    return "the stored name is not UTF-8";
  return {};
}

std::optional<std::string> DecodeStoredName(const char* raw, std::uint32_t attributes) {
  const std::string_view bytes(raw);
  const bool validUtf8 = g_utf8_validate(raw, -1, nullptr) != FALSE;
  if ((attributes & CabinetAttr::kNameIsUtf8) != 0) {
    if (validUtf8) return std::string(bytes);
    return std::nullopt;
  }
  if (IsAscii(bytes)) return std::string(bytes);
  if (auto converted = Cp932ToUtf8Exact(bytes)) return converted;
  if (validUtf8) return std::string(bytes);
  return std::nullopt;
}

std::string BaseName(const std::string& utf8) {
  const auto cut = utf8.find_last_of("/\\");
  return cut == std::string::npos ? utf8 : utf8.substr(cut + 1);
}

}  // namespace plume::platform::cab
