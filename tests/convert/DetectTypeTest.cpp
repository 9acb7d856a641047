#include <gtest/gtest.h>

#include "convert/DetectType.h"

namespace plume::convert {
namespace {

TEST(DetectType, NamesTheTypeOfTheLastPart) {
  const struct { const char* text; const char* type; } cases[] = {
      {"https://example.org/", "HTML"},
      {"https://example.org/page.php?id=1", "HTML"},
      {"https://example.org/doc/file.pdf#page=2", "HTML"},
      {"https://example.org/doc/file.pdf", "PDF"},
      {"/home/u/b.Jpg", "JPEG"},
      {"/home/u/photo.JPEG", "JPEG"},
      {"C:\\data\\scan.tif", "TIFF"},
      {"/x/a.tiff", "TIFF"},
      {"/x/a.gif", "GIF"},
      {"/x/a.bmp", "BMP"},
      {"/x/a.png", "PNG"},
      {"/x/archive.tar.gz", "HTML"},
      {"/x/README", "HTML"},
      {"/x/dir.png/readme", "HTML"},
      {"about:blank", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectType(c.text), c.type) << c.text;
}

}  // namespace
}  // namespace plume::convert
