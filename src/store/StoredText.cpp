#include "store/StoredText.h"

#include "platform/Cp932.h"

namespace plume::store {

namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = text.find(from, pos);
    out += text.substr(pos, hit - pos);
    if (hit == std::string_view::npos) break;
    out += to;
    pos = hit + from.size();
  }
  return out;
}

}  // namespace

std::string ToStoredText(std::string_view utf8Text) {
  // Normalise first so that a CR LF already present is not doubled.
  return platform::Utf8ToCp932(ReplaceAll(ReplaceAll(utf8Text, "\r\n", "\n"), "\n", "\r\n"));
}

std::string FromStoredText(std::string_view cp932Text) {
  return ReplaceAll(platform::Cp932ToUtf8(cp932Text), "\r\n", "\n");
}

}  // namespace plume::store
