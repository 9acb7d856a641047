#include "store/SerialCheck.h"

#include <algorithm>
#include <system_error>

namespace plume::store {

namespace fs = std::filesystem;

SerialCheck CheckSerials(const fs::path& root) {
  SerialCheck check;
  const fs::path kanri = root / kInfoFolder;
  for (int bucket = 0; bucket < 100; ++bucket) {
    const char name[3] = {static_cast<char>('0' + bucket / 10), static_cast<char>('0' + bucket % 10), 0};
    std::error_code ec;
    fs::directory_iterator it(kanri / name, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
      std::error_code typeEc;
      if (!it->is_regular_file(typeEc)) continue;
      const std::string stem = it->path().stem().string();
      // Serials have eight or nine digits; longer names are no serials (they
      // would send every walk of the serial numbers past the counter's range).
      if (stem.size() < 8 || stem.size() > 9 ||
          !std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        continue;
      }
      ++check.infoFiles;
      check.largest = std::max(check.largest, ParseSerial(stem));
    }
  }
  return check;
}

}  // namespace plume::store
