#include "store/StoreContents.h"

#include <cstdio>
#include <string>
#include <system_error>

namespace plume::store {

namespace fs = std::filesystem;

std::array<TypeContents, kContentTypes.size()> CountStoreContents(const fs::path& root) {
  std::array<TypeContents, kContentTypes.size()> out{};
  for (std::size_t t = 0; t < kContentTypes.size(); ++t) {
    const std::string_view type = kContentTypes[t];
    for (int bucket = 0; bucket < 100; ++bucket) {
      char name[3];
      std::snprintf(name, sizeof name, "%02d", bucket);
      std::error_code ec;
      fs::directory_iterator it(root / std::string(type) / name, ec);
      if (ec) continue;
      for (const auto& entry : it) {
        if (!entry.is_regular_file(ec)) continue;
        std::string upper = entry.path().filename().string();
        for (char& c : upper) {
          if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        if (upper.size() < type.size() || upper.compare(upper.size() - type.size(), type.size(), type) != 0) continue;
        const auto size = entry.file_size(ec);
        out[t].files += 1;
        out[t].bytes += ec ? 0 : static_cast<std::int64_t>(size);
      }
    }
  }
  return out;
}

}  // namespace plume::store
