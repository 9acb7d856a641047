#pragma once
// Case-insensitive (ASCII) name tests: a file name's extension, a name's
// tail, a type word. One helper instead of a hand-rolled loop per caller.

#include <filesystem>
#include <string_view>

namespace plume::platform {

/// True when `a` and `b` are equal ignoring ASCII case ("jpg" and "JPG").
constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

/// True when `text` ends with `tail`, ignoring ASCII case.
constexpr bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

/// True when the file name of `path` has the extension `extension` (given
/// without the dot), ignoring ASCII case: HasExtension("a/plan.PBD", "pbd").
inline bool HasExtension(const std::filesystem::path& path, std::string_view extension) {
  const std::string name = path.filename().string();
  return name.size() > extension.size() + 1 && name[name.size() - extension.size() - 1] == '.' &&
         EndsWithNoCase(name, extension);
}

}  // namespace plume::platform
