#include "capture/UrlRules.h"

#include <array>
#include <optional>

#include "platform/Cp932.h"

namespace plume::capture {

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

/// The byte of the escape "%XY" at `p`; nullopt when it is not one.
std::optional<unsigned char> EscapeAt(std::string_view text, std::size_t p) {
  if (p + 2 >= text.size() || text[p] != '%') return std::nullopt;
  const int high = HexDigit(text[p + 1]);
  const int low = HexDigit(text[p + 2]);
  if (high < 0 || low < 0) return std::nullopt;
  return static_cast<unsigned char>(high * 16 + low);
}

/// One three-byte UTF-8 character starting with E3 in CP932; a blank when it
/// is no valid character or has no CP932 form.
std::string E3CharToCp932(unsigned char second, unsigned char third) {
  if ((second & 0xC0) != 0x80 || (third & 0xC0) != 0x80) return " ";
  const char utf8[3] = {static_cast<char>(0xE3), static_cast<char>(second), static_cast<char>(third)};
  std::string cp932 = platform::Utf8ToCp932(std::string_view(utf8, 3));
  // The codec writes "?" for a character without a CP932 form; this decoder writes a blank.
  if (cp932.empty() || cp932 == "?") return " ";
  return cp932;
}

constexpr std::string_view kHttp = "HTTP://";
constexpr std::string_view kHttps = "HTTPS://";

/// One reduction step of FindEmbeddedUrl, without the decoding.
std::string EmbeddedAddress(std::string_view url, std::string_view typeWord) {
  const std::string upper = Upper(url);
  const std::string needle = "." + std::string(typeWord);
  const std::size_t at = upper.find(needle);
  if (at == std::string::npos) return {};
  const std::size_t cut = at + needle.size();
  const std::string_view cutUpper = std::string_view(upper).substr(0, cut);
  std::size_t position = 0;
  std::optional<std::size_t> start;
  for (int round = 0; round < 100; ++round) {
    const std::size_t a = cutUpper.find(kHttp, position);
    const std::size_t b = cutUpper.find(kHttps, position);
    const std::size_t first = std::min(a, b);
    if (first == std::string_view::npos) break;
    start = first;
    position = first + 1;
  }
  if (!start) return {};
  return std::string(url.substr(*start, cut - *start));
}

}  // namespace

std::string DecodeUrlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t p = 0;
  while (p < text.size()) {
    if (text[p] != '%') {
      out += text[p++];
      continue;
    }
    const std::size_t following = text.size() - p - 1;
    if (following < 2) return {};
    const auto b = EscapeAt(text, p);
    if (!b) return {};
    if (*b == 0xE3) {
      if (following < 8) return {};
      const auto second = EscapeAt(text, p + 3);
      const auto third = EscapeAt(text, p + 6);
      if (!second || !third) return {};
      out += E3CharToCp932(*second, *third);
      p += 9;
    } else if (platform::IsCp932LeadByte(*b)) {
      if (following < 5) return {};
      const auto trail = EscapeAt(text, p + 3);
      if (!trail) return {};
      out += static_cast<char>(*b);
      out += static_cast<char>(*trail);
      p += 6;
    } else {
      out += static_cast<char>(*b);
      p += 3;
    }
  }
  return out;
}

std::string FindEmbeddedUrl(std::string_view url, std::string_view typeWord) {
  std::string address = EmbeddedAddress(url, typeWord);
  // Each decoding shortens the text, so this ends; a loop keeps deep nesting off the stack.
  while (address.find('%') != std::string::npos) {
    address = EmbeddedAddress(DecodeUrlText(address), typeWord);
  }
  return address;
}

std::string DetectUrlType(std::string& url) {
  const std::string five = Upper(std::string_view(url).substr(url.size() >= 5 ? url.size() - 5 : 0));
  if (five == ".JPEG") return "JPEG";
  if (five == ".TIFF") return "TIFF";
  const std::string_view four = std::string_view(five).substr(five.size() >= 4 ? five.size() - 4 : 0);
  struct Ending {
    std::string_view ending;
    std::string_view type;
  };
  constexpr std::array<Ending, 6> kEndings = {{{".PDF", "PDF"},
                                                {".JPG", "JPEG"},
                                                {".GIF", "GIF"},
                                                {".BMP", "BMP"},
                                                {".PNG", "PNG"},
                                                {".TIF", "TIFF"}}};
  for (const Ending& e : kEndings) {
    if (four == e.ending) return std::string(e.type);
  }
  constexpr std::array<Ending, 8> kEmbedded = {{{"JPEG", "JPEG"},
                                                 {"PDF", "PDF"},
                                                 {"JPG", "JPEG"},
                                                 {"GIF", "GIF"},
                                                 {"BMP", "BMP"},
                                                 {"PNG", "PNG"},
                                                 {"TIFF", "TIFF"},
                                                 {"TIF", "TIFF"}}};
  for (const Ending& e : kEmbedded) {
    std::string found = FindEmbeddedUrl(url, e.ending);
    if (!found.empty()) {
      url = std::move(found);
      return std::string(e.type);
    }
  }
  return {};
}

}  // namespace plume::capture
