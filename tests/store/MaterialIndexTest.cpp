#include <gtest/gtest.h>

#include <sqlite3.h>

#include <random>
#include <vector>

#include "StoreFixture.h"
#include "store/InfoFile.h"
#include "store/MaterialScan.h"
#include "store/RelatedTextFile.h"
#include "store/StoreChanges.h"
#include "store/index/IndexKeeper.h"
#include "store/index/MaterialIndex.h"

namespace plume::store::test {
namespace {

using index::IndexKeeper;
using index::MaterialIndex;

// Pieces of CP932 text: ASCII, kanji whose trail byte is a backslash or a
// letter, half-width kana, a line break. Queries cut from them may start on
// a trail byte or end on a lead byte.
const std::vector<std::string> kPieces = {"a",        "b",        "ab",       "AB",   "\x95\x5C" /*表*/,
                                          "\x83\x5C" /*ソ*/,       "\x82\xA0" /*あ*/, "\x8A\x41" /*基*/,
                                          "\xB1" /*ｱ*/,            "\\",       " ",        "\r\n", "1"};

std::string RandomText(std::mt19937& random, int maxPieces) {
  std::string out;
  const int n = static_cast<int>(random() % (maxPieces + 1));
  for (int i = 0; i < n; ++i) out += kPieces[random() % kPieces.size()];
  return out;
}

class MaterialIndexTest : public StoreFixture {
 protected:
  MaterialIndexTest() : dbFile_(dir_ / "cache" / "index.sqlite") { store_.Root(); }
  ~MaterialIndexTest() override { SetStoreChangeListener(nullptr); }

  void WriteMaterial(Serial n, std::mt19937& random) {
    static const char* types[] = {"PDF", "JPEG", "GIF", "BMP", "PNG", "TIFF", "HTML", "", "DF"};
    static const char* dates[] = {"2012.11.13 23:59", "2012.11.14 00:00", "2012.11.15 10:00", "", "2013.01.01"};
    const std::string serial = FormatSerial(n);
    MaterialInfo info{types[random() % 9], "800", "600", std::to_string(random() % 3000000),
                      random() % 4 == 0 ? "" : std::string(64, 'A'), RandomText(random, 6), "https://example.org/",
                      dates[random() % 5]};
    const fs::path file = MaterialStore::InfoFileIn(Root(), serial);
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(InfoFile::WriteInfoAt(file, info, random() % 3 == 0 ? "" : "/charts/c.pbd"));
    const int text = static_cast<int>(random() % 4);
    if (text > 0) {
      const fs::path related = MaterialStore::RelatedTextIn(Root(), serial).replace_extension(text == 1 ? ".txt" : ".TXT");
      WriteBytes(related, text == 3 ? std::string() : RandomText(random, 20));
    }
  }

  void MakeStore(Serial count, unsigned seed) {
    std::mt19937 random(seed);
    for (Serial n = 0; n < count; ++n) {
      if (random() % 7 != 0) WriteMaterial(n, random);
    }
    bound_ = count;
  }

  static std::vector<SearchConditions> Conditions(unsigned seed) {
    std::vector<SearchConditions> all;
    std::mt19937 random(seed);
    for (int type = 0; type < 7; ++type) all.push_back(SearchConditions{type});
    for (auto [from, to] : {std::pair{"2012.11.14", "9999.99.99"}, {"0000.00.00", "2012.11.14"}, {"2012.11.14", "2012.11.14"}}) {
      all.push_back(SearchConditions{0, from, to});
    }
    // Texts of one, two and more characters, and cuts through characters.
    for (const std::string& piece : kPieces) all.push_back(SearchConditions{0, "0000.00.00", "9999.99.99", piece});
    for (int i = 0; i < 60; ++i) {
      std::string text = RandomText(random, 4);
      if (i % 5 == 0 && !text.empty()) text = text.substr(random() % text.size());
      if (i % 7 == 0 && !text.empty()) text.pop_back();
      if (text.empty()) continue;
      all.push_back(SearchConditions{static_cast<int>(random() % 7), "0000.00.00", i % 3 ? "9999.99.99" : "2012.11.14", text});
    }
    return all;
  }

  /// The scan and the index give the same rows, in the same order, for every condition.
  void ExpectSameAsScan(MaterialIndex& index, unsigned seed) {
    int nonEmpty = 0;
    for (const SearchConditions& c : Conditions(seed)) {
      for (const int hitMax : {3, 500}) {
        Rows scanned, indexed;
        const ScanResult a = ScanStore(Root(), bound_, hitMax, c, scanned);
        const auto b = index.Search(bound_, hitMax, c, indexed);
        ASSERT_TRUE(b.has_value());
        SCOPED_TRACE("text [" + c.text + "] type " + std::to_string(c.typeIndex) + " to " + c.date2);
        ASSERT_EQ(scanned.Serials(), indexed.Serials());
        for (std::size_t r = 0; r < scanned.rows.size(); ++r) EXPECT_EQ(scanned.rows[r].col, indexed.rows[r].col);
        EXPECT_EQ(a.hits, b->hits);
        EXPECT_EQ(a.limitReached, b->limitReached);
        EXPECT_EQ(scanned.progressMax, indexed.progressMax);
        nonEmpty += !scanned.rows.empty();
      }
    }
    EXPECT_GT(nonEmpty, 40);  // the comparison is not between two empty lists
  }

  fs::path dbFile_;
  Serial bound_ = 0;
};

TEST_F(MaterialIndexTest, GivesTheScansRowsForEveryKindOfCondition) {
  MakeStore(300, 1);
  auto index = MaterialIndex::Open(dbFile_, Root());
  ASSERT_TRUE(index);
  EXPECT_TRUE(index->CatchUp(bound_).complete);
  ExpectSameAsScan(*index, 2);
}

TEST_F(MaterialIndexTest, FollowsRegistrationsEditsDeletionsOwnersAndOtherProcesses) {
  MakeStore(120, 3);
  IndexKeeper keeper(Root(), dbFile_);
  SetStoreChangeListener(&keeper);
  keeper.RequestCatchUp(bound_);
  keeper.WaitIdle();
  ASSERT_TRUE(keeper.Status().ready);

  InfoFile info(store_);
  std::mt19937 random(4);
  // This process: registrations, related-text edits, owners, hashes and deletions through the store.
  for (Serial n = 120; n < 140; ++n) {
    MaterialInfo m{"JPEG", "1", "2", "300", "", RandomText(random, 5), "https://example.org/x", "2012.11.14 09:00"};
    ASSERT_TRUE(info.WriteInfo(FormatSerial(n), m, "/charts/new.pbd"));
  }
  bound_ = 140;
  for (Serial n = 0; n < 140; n += 3) {
    const std::string serial = FormatSerial(n);
    const fs::path file = store_.RelatedTextPath(serial);
    EXPECT_NE(SaveRelatedText(file.parent_path(), file, RandomText(random, 12)), RelatedTextSave::Failed);
    if (info.InfoFileExists(serial)) info.AddOwner(serial, "/charts/more.pbd");
  }
  for (Serial n = 1; n < 140; n += 11) store_.DeleteMaterial(n, "JPEG");
  keeper.WaitIdle();
  Rows rows;
  ASSERT_TRUE(keeper.Search(bound_, 500, SearchConditions{}, rows).has_value());

  auto reader = MaterialIndex::Open(dbFile_, Root(), false);
  ASSERT_TRUE(reader);
  ExpectSameAsScan(*reader, 5);

  // Another process: files written behind this one's back, found by a walk.
  SetStoreChangeListener(nullptr);
  for (Serial n = 140; n < 150; ++n) WriteMaterial(n, random);
  WriteBytes(MaterialStore::RelatedTextIn(Root(), FormatSerial(2)), "\x95\x5C\x83\x5C changed elsewhere");
  fs::remove(MaterialStore::InfoFileIn(Root(), FormatSerial(4)));
  bound_ = 150;
  keeper.RequestCatchUp(bound_);
  keeper.WaitIdle();
  ExpectSameAsScan(*reader, 6);
}

TEST_F(MaterialIndexTest, FindsOneAndTwoCharacterQueriesAnywhereInJapaneseText) {
  auto write = [&](Serial n, std::string title, std::string related) {
    const std::string serial = FormatSerial(n);
    const fs::path file = MaterialStore::InfoFileIn(Root(), serial);
    fs::create_directories(file.parent_path());
    InfoFile::WriteInfoAt(file, MaterialInfo{"PDF", "1", "1", "1", "", title, "", "2020.01.01 00:00"}, "");
    WriteBytes(MaterialStore::DataFileIn(Root(), kTextType, serial), related);
  };
  write(0, "\x92\xAA\x8F\xE2\x95\x5C", "");           // 潮汐表
  write(1, "x", "\x8D\xA1\x93\xFA\x82\xCD\x92\xAA");  // 今日は潮
  write(2, "\x95\x5C", "");                           // 表
  bound_ = 3;
  auto index = MaterialIndex::Open(dbFile_, Root());
  ASSERT_TRUE(index->CatchUp(bound_).complete);
  struct Case {
    std::string text;
    std::vector<std::string> serials;
  };
  for (const Case& k : {Case{"\x92\xAA", {"00000000", "00000001"}}, Case{"\x95\x5C", {"00000000", "00000002"}},
                        Case{"\x8F\xE2\x95\x5C", {"00000000"}}, Case{"\x82\xCD\x92\xAA", {"00000001"}},
                        Case{"\x5C", {}}, Case{"\xAA\x8F", {}}}) {
    Rows rows;
    index->Search(bound_, 500, SearchConditions{0, "0000.00.00", "9999.99.99", k.text}, rows);
    EXPECT_EQ(rows.Serials(), k.serials) << k.text;
  }
}

TEST_F(MaterialIndexTest, ADamagedForeignOrOtherStoresDatabaseIsMadeAnew) {
  MakeStore(40, 7);
  auto makeForeign = [&] {
    sqlite3* db = nullptr;
    sqlite3_open(dbFile_.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  };
  auto makeOtherStores = [&] { MaterialIndex::Open(dbFile_, dir_ / "elsewhere"); };
  auto damageInside = [&] {
    MaterialIndex::Open(dbFile_, Root())->CatchUp(bound_);
    std::string bytes = ReadBytes(dbFile_);
    for (std::size_t i = 4096; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(0xA5);
    WriteBytes(dbFile_, bytes);
  };
  struct Case {
    const char* name;
    std::function<void()> spoil;
  };
  for (const Case& k : {Case{"garbage", [&] { WriteBytes(dbFile_, std::string(9000, 'x')); }},
                        Case{"empty", [&] { WriteBytes(dbFile_, ""); }}, Case{"foreign", makeForeign},
                        Case{"other store", makeOtherStores}, Case{"damaged pages", damageInside}}) {
    SCOPED_TRACE(k.name);
    MaterialIndex::Discard(dbFile_);
    k.spoil();
    IndexKeeper keeper(Root(), dbFile_);
    keeper.RequestCatchUp(bound_);
    keeper.WaitIdle();
    // A search that meets the damage reports it; the keeper then builds the database anew.
    Rows first;
    const auto answered = keeper.Search(bound_, 500, SearchConditions{0, "0000.00.00", "9999.99.99", "a"}, first);
    keeper.WaitIdle();
    auto reader = MaterialIndex::Open(dbFile_, Root(), false);
    ASSERT_TRUE(reader);
    ExpectSameAsScan(*reader, 8);
    (void)answered;
  }
}

}  // namespace
}  // namespace plume::store::test
