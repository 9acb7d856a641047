#include "store/SearchRules.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/Cp932.h"
#include "store/MaterialInfo.h"
#include "store/SearchRow.h"
#include "store/StorePaths.h"

namespace plume::store {

namespace {

/// The filter for every type: all six data type words.
constexpr std::string_view kAllTypes = "PDF:JPEG:GIF:BMP:PNG:TIFF";

constexpr std::array<std::string_view, 7> kTypeCaptions = {"すべて", "ＰＤＦ", "ＪＰＥＧ", "ＧＩＦ",
                                                            "ＢＭＰ", "ＰＮＧ", "ＴＩＦＦ"};

/// Bytes taken by the character at `i`: a lead byte pairs only with a valid trail byte.
std::size_t CharLength(std::string_view text, std::size_t i) {
  if (!platform::IsCp932LeadByte(static_cast<unsigned char>(text[i])) || i + 1 >= text.size()) return 1;
  const auto trail = static_cast<unsigned char>(text[i + 1]);
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
}

/// Whether `pos` is the start of a character, walking from `lineStart`.
bool OnBoundary(std::string_view text, std::size_t lineStart, std::size_t pos) {
  std::size_t i = lineStart;
  while (i < pos) i += CharLength(text, i);
  return i == pos;
}

}  // namespace

bool TypePasses(std::string_view ext, int typeIndex) {
  if (ext.empty()) return false;
  const std::string_view entry =
      typeIndex >= 1 && typeIndex < static_cast<int>(kTypeFilters.size()) ? kTypeFilters[typeIndex] : kAllTypes;
  return entry.find(ext) != std::string_view::npos;
}

bool DatePasses(std::string_view createDate, std::string_view date1, std::string_view date2) {
  const std::string_view d = createDate.substr(0, 10);
  return !(d < date1) && !(d > date2);
}

std::size_t Cp932CharLength(std::string_view text, std::size_t i) { return CharLength(text, i); }

bool ContainsOnBoundary(std::string_view haystack, std::string_view needle) {
  if (needle.empty() || haystack.size() < needle.size()) return false;
  const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
  std::size_t from = 0;
  std::size_t walked = 0;  // a known character boundary at or before every later hit
  while (from <= haystack.size() - needle.size()) {
    const auto hit = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(), searcher);
    if (hit == haystack.end()) return false;
    const std::size_t pos = static_cast<std::size_t>(hit - haystack.begin());
    // Line feeds and ASCII below 0x40 are never trail bytes: restart the walk there.
    std::size_t start = walked;
    for (std::size_t k = pos; k > walked; --k) {
      if (static_cast<unsigned char>(haystack[k - 1]) < 0x40) {
        start = k;
        break;
      }
    }
    if (OnBoundary(haystack, start, pos)) return true;
    walked = start;
    from = pos + 1;
  }
  return false;
}

bool RelatedTextContains(std::string_view bytes, std::string_view needle) {
  if (needle.find_first_of("\r\n") != std::string_view::npos) return false;
  return ContainsOnBoundary(bytes, needle);
}

bool RelatedTextFileContains(const std::filesystem::path& file, std::string_view needle) {
  // One read into a buffer kept between calls: the search opens thousands of these.
  thread_local std::string bytes;
  if (!ReadFileInto(file, bytes) || bytes.empty()) return false;
  return RelatedTextContains(bytes, needle);
}

bool ReadFileInto(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (f == nullptr) return false;
  char chunk[65536];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  const bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

std::string GroupDigits(std::string_view digits) {
  const std::size_t n = digits.size();
  std::string out(digits);
  if (n >= 7 && n <= 9) {
    out.insert(n - 3, ",");
    out.insert(n - 6, ",");
  } else if (n >= 4 && n <= 6) {
    out.insert(n - 3, ",");
  }
  return out;
}

std::string SizeKbText(std::string_view storedSize) {
  if (storedSize == "0") return "0";
  const long long bytes = UngroupedNumber(storedSize);
  return GroupDigits(std::to_string(bytes < 1024 ? 1 : bytes / 1024));
}

long long UngroupedNumber(std::string_view text) {
  long long value = 0;
  for (const char c : text) {
    if (c == ',') continue;
    if (c < '0' || c > '9') break;
    if (value > (1LL << 58)) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string_view TypeCaption(int typeIndex) {
  return typeIndex >= 0 && typeIndex < static_cast<int>(kTypeCaptions.size()) ? kTypeCaptions[typeIndex]
                                                                               : kTypeCaptions[0];
}

std::string ConfirmationPrefix(const SearchConditions& c) {
  std::string range = (c.date1 != kNoLowerDate ? c.date1 : std::string()) + "～" +
                      (c.date2 != kNoUpperDate ? c.date2 : std::string());
  if (range == "～") range = "絞りなし";
  const std::string text = c.text.empty() ? std::string("絞りなし") : platform::Cp932ToUtf8(c.text);
  return "1 種別：\t\t" + std::string(TypeCaption(c.typeIndex)) + "\n" + "2 取得日時：\t" + range + "\n" +
         "3 テキスト：\t" + text + "\n" + "\n";
}

SearchRow MaterialRow(int number, std::string serialText, const MaterialInfo& info, int ownerCount,
                      std::string firstOwner) {
  SearchRow row;
  row.col[kColNo] = std::to_string(number);
  row.col[kColType] = info.ext;
  row.col[kColSerial] = std::move(serialText);
  row.col[kColTitle] = info.title;
  row.col[kColSizeKb] = SizeKbText(info.size);
  row.col[kColWidth] = GroupDigits(info.width);
  row.col[kColHeight] = GroupDigits(info.height);
  row.col[kColDate] = info.createDate;
  row.col[kColFrom] = info.getFrom;
  row.col[kColOwnerCount] = std::to_string(ownerCount);
  row.col[kColOwner] = std::move(firstOwner);
  row.col[kColSha256] = info.sha256;
  return row;
}

}  // namespace plume::store
