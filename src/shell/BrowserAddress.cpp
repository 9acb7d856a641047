#include "shell/BrowserAddress.h"

#include <cctype>

#include "platform/SettingsTable.h"
#include "store/PageText.h"

namespace plume::shell {

namespace {

bool IsSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

/// Length of a leading "scheme:" (without the colon), 0 when there is none.
/// "localhost:8000" is a host and port, not a scheme.
std::size_t SchemeLength(std::string_view text) {
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text.front()))) return 0;
  std::size_t n = 1;
  while (n < text.size() && IsSchemeChar(text[n])) ++n;
  if (n >= text.size() || text[n] != ':') return 0;
  const std::string_view rest = text.substr(n + 1);
  std::size_t digits = 0;
  while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
  const bool port = digits > 0 && (digits == rest.size() || rest[digits] == '/');
  return port ? 0 : n;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string AddressFromTyped(std::string_view typed) {
  while (!typed.empty() && std::isspace(static_cast<unsigned char>(typed.front()))) typed.remove_prefix(1);
  while (!typed.empty() && std::isspace(static_cast<unsigned char>(typed.back()))) typed.remove_suffix(1);
  if (typed.empty()) return {};
  if (typed.front() == '/') return FileAddress(typed);
  if (SchemeLength(typed) > 0) return std::string(typed);
  return "http://" + std::string(typed);
}

std::string FileAddress(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string address = "file://";
  for (char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      address += ch;
    } else {
      address += '%';
      address += kHex[c >> 4];
      address += kHex[c & 0xF];
    }
  }
  return address;
}

std::string LocalPathOf(std::string_view address) {
  if (SchemeOf(address) != "file") return {};
  std::string_view rest = address.substr(5);
  if (!rest.starts_with("//")) return {};
  rest.remove_prefix(2);
  if (rest.starts_with("localhost/")) rest.remove_prefix(9);
  if (!rest.starts_with('/')) return {};  // a file on another host
  rest = rest.substr(0, rest.find_first_of("?#"));
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && hex(rest[i + 1]) >= 0 && hex(rest[i + 2]) >= 0) {
      path += static_cast<char>(hex(rest[i + 1]) * 16 + hex(rest[i + 2]));
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return path;
}

std::string SchemeOf(std::string_view address) { return Lower(address.substr(0, SchemeLength(address))); }

bool IsNavigable(std::string_view address) {
  const std::string scheme = SchemeOf(address);
  return scheme == "http" || scheme == "https" || scheme == "file" || scheme == "about";
}

std::string WebSearchAddress(std::string_view words, SearchKind kind) {
  std::string query;
  for (char c : words) {
    switch (c) {
      case '&': query += "%26"; break;
      case '#': query += "%23"; break;
      case '+': query += "%2B"; break;
      case '%': query += "%25"; break;
      default: query += c;
    }
  }
  std::string address = std::string(platform::settings::kWebSearchSite) + "search?q=" + query;
  switch (kind) {
    case SearchKind::Images: address += "&tbm=isch"; break;
    case SearchKind::Photos: address += "&tbm=isch&tbs=itp:photo"; break;
    case SearchKind::Pdf: address += " filetype:pdf"; break;
    case SearchKind::All: break;
  }
  return address;
}

std::string PageTypeLabel(std::string_view pageType) { return pageType.empty() ? "不明" : std::string(pageType); }

int PageTypePicture(std::string_view pageType) {
  if (pageType.empty()) return 7;
  if (pageType == "HTML") return 4;
  if (pageType == "PDF") return 5;
  return 6;
}

std::string TidyForTextArea(std::string_view utf8Text) {
  std::string crlf;
  crlf.reserve(utf8Text.size() + utf8Text.size() / 16);
  for (std::size_t i = 0; i < utf8Text.size(); ++i) {
    const char c = utf8Text[i];
    if (c == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n') continue;
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  const std::string tidied = store::TidyPageText(crlf);
  std::string out;
  out.reserve(tidied.size());
  for (std::size_t i = 0; i < tidied.size(); ++i) {
    if (tidied[i] == '\r' && i + 1 < tidied.size() && tidied[i + 1] == '\n') continue;
    out += tidied[i];
  }
  return out;
}

}  // namespace plume::shell
