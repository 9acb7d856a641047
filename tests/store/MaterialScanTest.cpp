#include <gtest/gtest.h>

#include <vector>

#include "StoreFixture.h"
#include "platform/Cp932.h"
#include "store/InfoFile.h"
#include "store/MaterialScan.h"
#include "store/Sha256.h"

namespace plume::store::test {
namespace {

class MaterialScanTest : public StoreFixture {
 protected:
  void Add(Serial n, MaterialInfo info, const fs::path& owner = "/charts/a.pbd") {
    const std::string serial = FormatSerial(n);
    const fs::path file = MaterialStore::InfoFileIn(Root(), serial);
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(InfoFile::WriteInfoAt(file, info, owner));
    platform::settings::Set(settings_, platform::settings::Sys::No, FormatSerial(std::max(n + 1, Next())));
  }
  static MaterialInfo Info(std::string ext, std::string title = "t", std::string date = "2012.11.14 10:00",
                           std::string size = "2048") {
    return MaterialInfo{ext, "800", "600", size, "", title, "https://example.org/", date};
  }
  int CountOf(int id) {
    int n = 0;
    for (int i : sink_.Ids()) n += i == id;
    return n;
  }
  Serial Next() { return ParseSerial(platform::settings::Get(settings_, platform::settings::Sys::No)); }
  Rows Scan(SearchConditions c = {}) {
    Rows rows;
    ScanMaterials(store_, settings_, c, rows);
    return rows;
  }
};

TEST_F(MaterialScanTest, ListsEveryDataTypeSkipsMissingSerialsAndHtml) {
  const char* types[] = {"PDF", "JPEG", "GIF", "", "BMP", "PNG", "TIFF", "HTML", "PDF", "JPEG", "GIF", "BMP"};
  for (Serial n = 0; n < 12; ++n) {
    if (n != 3) Add(n, Info(types[n]));
  }
  const Rows rows = Scan();
  EXPECT_EQ(rows.Serials(), (std::vector<std::string>{"00000000", "00000001", "00000002", "00000004", "00000005",
                                                      "00000006", "00000008", "00000009", "00000010", "00000011"}));
  EXPECT_EQ(rows.rows.back().col[kColNo], "10");
  SearchConditions png;
  png.typeIndex = 5;
  EXPECT_EQ(Scan(png).Serials(), std::vector<std::string>{"00000005"});
}

TEST_F(MaterialScanTest, CapturesRecordedWithThePageTypeAreListedByTheFileTheyHave) {
  struct Case {
    const char* recorded;
    const char* dataFile;  ///< nullptr: none
    const char* listedAs;  ///< nullptr: not listed
  };
  const Case cases[] = {{"HTML", "PDF", "PDF"}, {"", "JPEG", "JPEG"}, {"HTML", nullptr, nullptr}, {"GIF", "PDF", "GIF"}};
  std::vector<std::string> expected;
  for (Serial n = 0; n < static_cast<Serial>(std::size(cases)); ++n) {
    Add(n, Info(cases[n].recorded));
    if (cases[n].dataFile) {
      const fs::path data = MaterialStore::DataFileIn(Root(), cases[n].dataFile, FormatSerial(n));
      fs::create_directories(data.parent_path());
      WriteBytes(data, "data");
    }
    if (cases[n].listedAs) expected.push_back(cases[n].listedAs);
  }
  std::vector<std::string> listed;
  for (const auto& row : Scan().rows) listed.push_back(row.col[kColType]);
  EXPECT_EQ(listed, expected);
  SearchConditions jpeg;
  jpeg.typeIndex = 2;
  EXPECT_EQ(Scan(jpeg).Serials(), std::vector<std::string>{"00000001"});
}

TEST_F(MaterialScanTest, DateBoundsAreInclusiveAndCompareTheDayOnly) {
  Add(0, Info("PDF", "a", "2012.11.13 23:59"));
  Add(1, Info("PDF", "b", "2012.11.14 23:59"));
  Add(2, Info("PDF", "c", "2012.11.15 00:00"));
  struct Case {
    const char* from;
    const char* to;
    std::vector<std::string> serials;
  };
  for (const Case& k : {Case{"2012.11.14", "9999.99.99", {"00000001", "00000002"}},
                        Case{"0000.00.00", "2012.11.14", {"00000000", "00000001"}},
                        Case{"2012.11.14", "2012.11.14", {"00000001"}}}) {
    SearchConditions c;
    c.date1 = k.from;
    c.date2 = k.to;
    EXPECT_EQ(Scan(c).Serials(), k.serials) << k.from << " " << k.to;
  }
}

TEST_F(MaterialScanTest, TextMatchesTitleOrOneLineOfTheRelatedText) {
  Add(0, Info("PDF", platform::Utf8ToCp932("東京の天気")));
  Add(1, Info("PDF", "plain"));
  WriteBytes(MaterialStore::DataFileIn(Root(), kTextType, "00000001"), platform::Utf8ToCp932("first line\r\nsecond 東京 line\r\n"));
  Add(2, Info("PDF", "other"));
  WriteBytes(MaterialStore::DataFileIn(Root(), kTextType, "00000002"), "");
  SearchConditions c;
  c.text = platform::Utf8ToCp932("東京");
  EXPECT_EQ(Scan(c).Serials(), (std::vector<std::string>{"00000000", "00000001"}));
  c.text = "line\r\nsecond";
  EXPECT_TRUE(Scan(c).rows.empty());
  c.text = "Plain";
  EXPECT_TRUE(Scan(c).rows.empty());
}

TEST(SearchRules, MatchesStartOnCharacterBoundaries) {
  // "ソ" is 0x83 0x5C: its trail byte is a backslash, which must not match on its own.
  const std::string so = platform::Utf8ToCp932("ソ");
  EXPECT_FALSE(ContainsOnBoundary(so + "x", "\\x"));
  EXPECT_TRUE(ContainsOnBoundary(so + "\\x", "\\x"));
  EXPECT_TRUE(ContainsOnBoundary("abc", "bc"));
  EXPECT_FALSE(ContainsOnBoundary("abc", ""));
}

TEST(SearchRules, SizeAndDigitTexts) {
  struct Case {
    const char* stored;
    const char* shown;
  };
  for (const Case& k : {Case{"0", "0"}, Case{"1023", "1"}, Case{"1024", "1"}, Case{"1536000", "1,500"},
                        Case{"1073741824", "1,048,576"}}) {
    EXPECT_EQ(SizeKbText(k.stored), k.shown) << k.stored;
  }
  EXPECT_EQ(GroupDigits("123"), "123");
  EXPECT_EQ(GroupDigits("1234567"), "1,234,567");
  EXPECT_EQ(GroupDigits("1234567890"), "1234567890");
  EXPECT_EQ(UngroupedNumber("1,234"), 1234);
}

TEST(SearchRules, ConfirmationSaysNoFilterForOpenBounds) {
  SearchConditions c;
  EXPECT_EQ(ConfirmationPrefix(c), "1 種別：\t\tすべて\n2 取得日時：\t絞りなし\n3 テキスト：\t絞りなし\n\n");
  c.date1 = "2012.01.01";
  EXPECT_NE(ConfirmationPrefix(c).find("2012.01.01～\n"), std::string::npos);
}

TEST_F(MaterialScanTest, HitLimitStopsTheScanAndSaysSoOnce) {
  platform::settings::Set(settings_, platform::settings::KanSet::HitMax, 5);
  for (Serial n = 0; n < 5; ++n) Add(n, Info("PDF"));
  EXPECT_EQ(Scan().rows.size(), 5u);
  EXPECT_EQ(CountOf(30047), 1);
  for (Serial n = 5; n < 7; ++n) Add(n, Info("PDF"));
  const Rows rows = Scan();
  EXPECT_EQ(rows.rows.size(), 5u);
  EXPECT_EQ(rows.progressMax, 5);
  EXPECT_EQ(CountOf(30047), 2);
}

TEST_F(MaterialScanTest, FillsInMissingImageHashesButNotForPdf) {
  Add(0, Info("JPEG"));
  Add(1, Info("PDF"));
  WriteBytes(MaterialStore::DataFileIn(Root(), "JPEG", "00000000"), "jpeg bytes");
  WriteBytes(MaterialStore::DataFileIn(Root(), "PDF", "00000001"), "pdf bytes");
  const Rows rows = Scan();
  const std::string hash = FileSha256(MaterialStore::DataFileIn(Root(), "JPEG", "00000000"));
  EXPECT_EQ(rows.rows[0].col[kColSha256], hash);
  EXPECT_EQ(rows.rows[1].col[kColSha256], "");
  EXPECT_EQ(InfoFile(store_).ReadInfo("00000000")->sha256, hash);
}

TEST_F(MaterialScanTest, ShowsOwnerCountAndFirstOwner) {
  Add(0, Info("PDF"), "/charts/first.pbd");
  InfoFile(store_).AddOwner("00000000", "/charts/second.pbd");
  const Rows rows = Scan();
  EXPECT_EQ(rows.rows[0].col[kColOwnerCount], "2");
  EXPECT_EQ(rows.rows[0].col[kColOwner], "/charts/first.pbd");
}

TEST_F(MaterialScanTest, WalksPastALaggingCounter) {
  Add(0, Info("PDF"));
  Add(4, Info("PDF"));
  platform::settings::Set(settings_, platform::settings::Sys::No, FormatSerial(1));
  EXPECT_EQ(Scan().rows.size(), 2u);
}

}  // namespace
}  // namespace plume::store::test
