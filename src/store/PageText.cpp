#include "store/PageText.h"

#include "platform/Cp932.h"

namespace plume::store {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";  // U+3000 in UTF-8

/// True when `line` holds nothing but half-width and full-width spaces.
bool OnlySpaces(std::string_view line) {
  while (!line.empty()) {
    if (line.front() == ' ') {
      line.remove_prefix(1);
    } else if (line.starts_with(kFullWidthSpace)) {
      line.remove_prefix(kFullWidthSpace.size());
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

std::size_t Cp932Length(std::string_view utf8Text) { return platform::Utf8ToCp932(utf8Text).size(); }

std::string TidyPageText(std::string_view utf8Text) {
  std::string result;
  result.reserve(utf8Text.size() + utf8Text.size() / 8);
  std::string_view rest = utf8Text;
  while (true) {
    const std::size_t end = rest.find(kLineEnd);
    const std::string_view line = rest.substr(0, end);
    if (!OnlySpaces(line)) {
      result += line;
      result += Cp932Length(line) <= kShortLineBytes ? std::string_view("  ") : kLineEnd;
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + kLineEnd.size());
  }
  return result;
}

}  // namespace plume::store
