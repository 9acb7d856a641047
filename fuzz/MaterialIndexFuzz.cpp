// The material index against the scan on random stores and queries: the
// input's pieces (split at NUL) are a query and up to twelve materials (a
// byte choosing type, date and related-text file, then title and related
// text split at 0x01). Both searches must list the same rows in the same order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "store/InfoFile.h"
#include "store/MaterialScan.h"
#include "store/MaterialStore.h"
#include "store/index/MaterialIndex.h"

namespace {

namespace fs = std::filesystem;
using namespace plume::store;
using plume::store::index::MaterialIndex;

class Rows : public ScanObserver {
 public:
  void RowFound(const SearchRow& row) override { rows.push_back(row.col); }
  std::vector<std::array<std::string, kSearchColumnCount>> rows;
};

const fs::path& Folder() {
  static const fs::path folder = fs::temp_directory_path() / ("plume-index-fuzz-" + std::to_string(::getpid()));
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const char* types[] = {"PDF", "JPEG", "GIF", "BMP", "PNG", "TIFF", "HTML", "", "DF"};
  static const char* dates[] = {"2012.11.13 23:59", "2012.11.14 00:00", "2012.11.15", "", "2012.11.14"};
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> pieces;
  for (std::size_t from = 0;;) {
    const std::size_t end = all.find('\0', from);
    pieces.push_back(all.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
    if (end == std::string_view::npos || pieces.size() > 12) break;
    from = end + 1;
  }
  std::error_code ec;
  fs::remove_all(Folder(), ec);
  const fs::path root = Folder() / "PLUMEDATA";
  Serial bound = 0;
  for (std::size_t i = 1; i < pieces.size(); ++i, ++bound) {
    const std::string_view piece = pieces[i];
    if (piece.empty()) continue;
    const auto choice = static_cast<unsigned char>(piece[0]);
    const std::string_view rest = piece.substr(1);
    const std::size_t split = rest.find('\x01');
    const std::string serial = FormatSerial(bound);
    const MaterialInfo info{types[choice % 9], "1", "2", "3", "", std::string(rest.substr(0, split)), "", dates[choice / 9 % 5]};
    const fs::path file = MaterialStore::InfoFileIn(root, serial);
    fs::create_directories(file.parent_path());
    InfoFile::WriteInfoAt(file, info, "");
    if (split != std::string_view::npos) {
      fs::path text = MaterialStore::DataFileIn(root, kTextType, serial);
      if (choice & 0x80) text.replace_extension(".txt");
      fs::create_directories(text.parent_path());
      std::ofstream(text, std::ios::binary) << rest.substr(split + 1);
    }
  }
  SearchConditions c;
  c.text = std::string(pieces[0]);
  c.typeIndex = static_cast<int>(size % 7);
  if (size % 3 == 0) c.date1 = "2012.11.14";
  const int hitMax = size % 2 == 0 ? 500 : 2;
  const fs::path db = Folder().string() + ".sqlite";
  MaterialIndex::Discard(db);
  auto index = MaterialIndex::Open(db, root);
  if (!index || !index->CatchUp(bound).complete) std::abort();
  Rows scanned, indexed;
  ScanStore(root, bound, hitMax, c, scanned);
  if (!index->Search(bound, hitMax, c, indexed) || scanned.rows != indexed.rows) std::abort();
  return 0;
}
