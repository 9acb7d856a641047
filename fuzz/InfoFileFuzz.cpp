// The information file readers on arbitrary bytes: reading the values and the
// owners, the rewrites that append and remove an owner, and a write/read round trip of
// whatever values were read.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "store/InfoFileFormat.h"
#include "store/InfoLineReader.h"

using namespace plume::store;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool SingleLine(const std::string& value) { return value.find('\n') == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  std::istringstream infoIn(text);
  const MaterialInfo info = ReadInfoFrom(infoIn);
  for (const std::string* v : {&info.ext, &info.width, &info.height, &info.size, &info.sha256, &info.title,
                               &info.getFrom, &info.createDate}) {
    Check(SingleLine(*v) && v->find("</") == std::string::npos);
  }

  std::istringstream ownersIn(text);
  const OwnerSummary owners = ReadOwnersFrom(ownersIn);
  Check(owners.count >= 0 && owners.count <= InfoLineReader::kLineLimit);

  std::istringstream tagIn(text);
  InfoLineReader reader(tagIn);
  (void)reader.ReadTag("FilePath", size > 0 ? 1 + data[0] % 4 : 1);
  (void)reader.ReadLastNonEmpty("SHA256");

  // Appending keeps the file well formed: one header, the new owner before "</Root>".
  std::istringstream appendIn(text);
  if (auto rewritten = AppendToInfoText(appendIn, OwnerLine("/fuzz.pbd"))) {
    Check(rewritten->starts_with(std::string(kInfoHeader) + "\r\n<Root>\r\n"));
    Check(rewritten->ends_with("\t<FilePath>/fuzz.pbd</FilePath>\r\n</Root>\r\n"));
  }

  // Removing an owner takes one whole line out and nothing else: the rest
  // reads the same on either side of it.
  std::istringstream firstIn(text);
  const std::string owner = OwnerLine(InfoLineReader(firstIn).ReadTag("FilePath", 1));
  if (auto removed = WithoutLastLine(text, owner)) {
    Check(removed->size() + owner.size() == text.size());
    std::size_t same = 0;
    while (same < removed->size() && (*removed)[same] == text[same]) ++same;
    std::size_t tail = 0;
    while (tail < removed->size() && (*removed)[removed->size() - 1 - tail] == text[text.size() - 1 - tail]) ++tail;
    Check(same + tail >= removed->size());
  }

  // What was read, written again, reads back the same (line breaks become blanks).
  MaterialInfo expected = info;
  for (std::string* v : {&expected.ext, &expected.width, &expected.height, &expected.size, &expected.sha256,
                         &expected.title, &expected.getFrom, &expected.createDate}) {
    *v = SingleLineValue(*v);
  }
  std::istringstream again(InfoFileText(info, "/owner.pbd"));
  Check(ReadInfoFrom(again) == expected);
  return 0;
}
