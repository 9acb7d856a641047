#include "InfoText.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace plume::docsmith {
namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (Valid()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return cd_; }

 private:
  iconv_t cd_;
};

bool IsPlainAscii(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b > 0x7E) return false;
  }
  return true;
}

}  // namespace

std::string PdfTextString(std::string_view cp932) {
  if (IsPlainAscii(cp932)) return std::string(cp932);
  std::string out = "\xFE\xFF";
  Iconv cd("UTF-16BE", "CP932");
  if (!cd.Valid()) return out;
  char* in = const_cast<char*>(cp932.data());
  std::size_t inLeft = cp932.size();
  char buffer[256];
  while (inLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    const std::size_t r = iconv(cd.Get(), &in, &inLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // Not CP932 (or cut short): one replacement character, then go on after the byte.
      out += "\xFF\xFD";
      ++in;
      --inLeft;
      iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

std::optional<std::string> PdfDate(std::string_view localTime) {
  if (localTime.size() != 19) return std::nullopt;
  const std::string text(localTime);
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
  if (std::sscanf(text.c_str(), "%4d.%2d.%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 || used != 19)
    return std::nullopt;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60 || y < 0 || h < 0 || mi < 0 || s < 0)
    return std::nullopt;
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = s;
  tm.tm_isdst = -1;
  long offset = 0;
  if (std::mktime(&tm) != static_cast<std::time_t>(-1)) offset = tm.tm_gmtoff;
  char date[64];
  std::snprintf(date, sizeof date, "D:%04d%02d%02d%02d%02d%02d", y, mo, d, h, mi, s);
  std::string result = date;
  if (offset == 0) return result + "Z";
  const char sign = offset < 0 ? '-' : '+';
  const long minutes = (offset < 0 ? -offset : offset) / 60;
  std::snprintf(date, sizeof date, "%c%02ld'%02ld'", sign, minutes / 60, minutes % 60);
  return result + date;
}

}  // namespace plume::docsmith
