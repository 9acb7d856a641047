// Store layout, serial numbers, putting files in and taking them out.

#include "store/MaterialStore.h"

#include <gmock/gmock.h>

#include "StoreFixture.h"
#include "platform/FolderOpener.h"
#include "store/SerialCheck.h"
#include "store/SettingsSheetOpener.h"
#include "support/FakePicture.h"

namespace plume::store::test {
namespace {

using platform::MsgResult;
using platform::StringId;
namespace settings = platform::settings;

TEST(StorePaths, SerialTextIsEightDigitsOrMoreAndBucketIsLastTwo) {
  EXPECT_EQ(FormatSerial(0), "00000000");
  EXPECT_EQ(FormatSerial(1234), "00001234");
  EXPECT_EQ(FormatSerial(123456789), "123456789");
  EXPECT_EQ(BucketOf("00001234"), "34");
  EXPECT_EQ(BucketOf("123456789"), "89");
  EXPECT_EQ(ParseSerial("00001234"), 1234);
  EXPECT_EQ(ParseSerial("123456789"), 123456789);
  EXPECT_EQ(ParseSerial(""), 0);
  EXPECT_EQ(ParseSerial("-5"), 0);
  EXPECT_EQ(ParseSerial("12ab"), 12);
}

TEST(StorePaths, EnsureFolderCreatesEveryLevelButNotThroughAFile) {
  const fs::path dir = MakeTempFolder("ensure");
  EXPECT_TRUE(EnsureFolder(dir / "a" / "b" / "c"));
  EXPECT_TRUE(fs::is_directory(dir / "a" / "b" / "c"));
  EXPECT_TRUE(EnsureFolder(dir / "a" / "b"));  // existing is fine
  WriteBytes(dir / "file", "x");
  EXPECT_FALSE(EnsureFolder(dir / "file" / "sub"));
  EXPECT_FALSE(EnsureFolder(dir / "file"));
  fs::remove_all(dir);
}

using MaterialStoreTest = StoreFixture;

TEST_F(MaterialStoreTest, FilesOfSerial1234LiveInBucket34) {
  auto jpeg = store_.MaterialLocation("JPEG", 1234);
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->File(), Root() / "JPEG" / "34" / "00001234.JPEG");
  EXPECT_EQ(jpeg->fileName, "00001234.JPEG");
  EXPECT_EQ(store_.MaterialLocation("TXT", 1234)->File(), Root() / "TXT" / "34" / "00001234.TXT");
  EXPECT_EQ(store_.RelatedTextPath("00001234"), Root() / "TXT" / "34" / "00001234.TXT");
  EXPECT_FALSE(fs::exists(Root()));  // locating creates nothing
  EXPECT_EQ(store_.InfoFilePath("00001234"), Root() / "KANRI" / "34" / "00001234.xml");
  EXPECT_TRUE(fs::is_directory(Root() / "KANRI" / "34"));  // the path for writing makes its bucket
  EXPECT_EQ(store_.MaterialLocation("PDF", 123456789)->File(), Root() / "PDF" / "89" / "123456789.PDF");
}

TEST_F(MaterialStoreTest, RelatedTextIsFoundUnderEitherCase) {
  WriteBytes(Root() / "TXT" / "07" / "00000007.txt", "lower");
  EXPECT_EQ(store_.RelatedTextPath("00000007"), Root() / "TXT" / "07" / "00000007.txt");
  WriteBytes(Root() / "TXT" / "07" / "00000007.TXT", "upper");
  EXPECT_EQ(store_.RelatedTextPath("00000007"), Root() / "TXT" / "07" / "00000007.TXT");
}

TEST_F(MaterialStoreTest, FreshStoreHandsOutZeroThenOne) {
  EXPECT_EQ(store_.PeekNextSerial(), 0);
  store_.CommitSerial(store_.PeekNextSerial());
  EXPECT_EQ(settings::Get(settings_, settings::Sys::No), "00000001");
  EXPECT_EQ(store_.PeekNextSerial(), 1);
  store_.CommitSerial(99999999);
  EXPECT_EQ(settings::Get(settings_, settings::Sys::No), "100000000");
  EXPECT_EQ(store_.PeekNextSerial(), 100000000);
}

TEST_F(MaterialStoreTest, FailedRegistrationKeepsCounterAndNextOneOverwritesLeftovers) {
  // GIVEN a registration of serial 5 that stored its file and then failed (no commit)
  settings::Set(settings_, settings::Sys::No, "00000005");
  const fs::path first = dir_ / "first.jpg";
  WriteBytes(first, "first attempt, longer than the second");
  const Serial n = store_.PeekNextSerial();
  ASSERT_TRUE(store_.StoreMaterialFile("JPEG", first, FormatSerial(n)));
  EXPECT_EQ(settings::Get(settings_, settings::Sys::No), "00000005");
  // WHEN the next registration runs
  const Serial again = store_.PeekNextSerial();
  EXPECT_EQ(again, 5);
  const fs::path second = dir_ / "second.jpg";
  WriteBytes(second, "second");
  ASSERT_TRUE(store_.StoreMaterialFile("JPEG", second, FormatSerial(again)));
  store_.CommitSerial(again);
  // THEN it replaced the leftover and moved the counter on; the source stays
  EXPECT_EQ(ReadBytes(Root() / "JPEG" / "05" / "00000005.JPEG"), "second");
  EXPECT_TRUE(fs::exists(second));
  EXPECT_EQ(settings::Get(settings_, settings::Sys::No), "00000006");
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(MaterialStoreTest, StoringReportsFolderAndCopyFailures) {
  WriteBytes(Root() / "GIF", "a file where the type folder belongs");
  const fs::path source = dir_ / "a.gif";
  WriteBytes(source, "GIF89a");
  EXPECT_FALSE(store_.StoreMaterialFile("GIF", source, "00000001"));
  EXPECT_EQ(sink_.Ids(), std::vector<int>{static_cast<int>(StringId::StoreFolderCreateFailed)});
  sink_.Reset();
  EXPECT_FALSE(store_.StoreMaterialFile("PNG", dir_ / "missing.png", "00000001"));
  EXPECT_EQ(sink_.Ids(), std::vector<int>{static_cast<int>(StringId::SaveFailed)});
}

TEST_F(MaterialStoreTest, InfoFilePathReportsABucketThatCannotBeMade) {
  WriteBytes(Root() / "KANRI", "blocked");
  EXPECT_TRUE(store_.InfoFilePath("00000012").empty());
  EXPECT_EQ(sink_.Ids(), std::vector<int>{static_cast<int>(StringId::StoreFolderCreateFailed)});
}

TEST_F(MaterialStoreTest, DeletingRemovesAllThreeFilesAndIgnoresMissingOnes) {
  WriteBytes(Root() / "KANRI" / "42" / "00000042.xml", "info");
  WriteBytes(Root() / "PNG" / "42" / "00000042.PNG", "png");
  WriteBytes(Root() / "TXT" / "42" / "00000042.txt", "text");
  EXPECT_TRUE(store_.DeleteMaterial(42, "PNG"));
  EXPECT_FALSE(fs::exists(Root() / "KANRI" / "42" / "00000042.xml"));
  EXPECT_FALSE(fs::exists(Root() / "PNG" / "42" / "00000042.PNG"));
  EXPECT_FALSE(fs::exists(Root() / "TXT" / "42" / "00000042.txt"));
  EXPECT_TRUE(fs::is_directory(Root() / "PNG" / "42"));  // folders stay
  // Already gone: still true, silent, and no folders appear for it
  EXPECT_TRUE(store_.DeleteMaterial(43, "PDF"));
  EXPECT_FALSE(fs::exists(Root() / "KANRI" / "43"));
  EXPECT_TRUE(sink_.Messages().empty());
}

class ScriptedSheet : public SettingsSheetOpener {
 public:
  ScriptedSheet(platform::SettingsStore& s, std::string path, bool ok) : s_(s), path_(std::move(path)), ok_(ok) {}
  bool OpenSettingsSheet() override {
    ++opened;
    if (ok_) settings::Set(s_, settings::KanSet::StorePath, path_);
    return ok_;
  }
  int opened = 0;

 private:
  platform::SettingsStore& s_;
  std::string path_;
  bool ok_;
};

TEST_F(MaterialStoreTest, DecliningTheStoreQuestionTouchesNothing) {
  settings::Set(settings_, settings::KanSet::StorePath, "");
  const fs::path source = dir_ / "src.jpg";
  WriteBytes(source, "x");
  const int before = CountEntries(dir_);
  auto answerNo = [&] { sink_.Answer(MsgResult::No); };
  std::int32_t transparent = -1;
  plume::testing::FakePictureCodec codec;

  answerNo();
  EXPECT_FALSE(store_.MaterialLocation("JPEG", 1));
  answerNo();
  EXPECT_FALSE(store_.StoreMaterialFile("JPEG", source, "00000001"));
  answerNo();
  EXPECT_TRUE(store_.RelatedTextPath("00000001").empty());
  answerNo();
  EXPECT_TRUE(store_.InfoFilePath("00000001").empty());
  answerNo();
  EXPECT_FALSE(store_.DeleteMaterial(1, "JPEG"));
  answerNo();
  EXPECT_EQ(store_.LoadMaterialImage("JPEG", "00000001", codec, transparent), nullptr);

  // One question per operation, each the store question, and nothing on disk changed
  ASSERT_EQ(sink_.Messages().size(), 6u);
  for (const auto& m : sink_.Messages()) {
    EXPECT_EQ(m.id, static_cast<int>(StringId::StorePathNotSetAsk));
    EXPECT_EQ(m.buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(m.icon, platform::MsgIcon::Question);
  }
  EXPECT_EQ(CountEntries(dir_), before);
  EXPECT_EQ(settings::Get(settings_, settings::Sys::No), "00000000");
}

TEST_F(MaterialStoreTest, AnsweringYesOpensTheSheetAndUsesWhatItSet) {
  settings::Set(settings_, settings::KanSet::StorePath, "");
  ScriptedSheet ok(settings_, (dir_ / "Chosen").string(), true);
  MaterialStore withSheet(settings_, &ok);
  EXPECT_EQ(withSheet.GetStorePath(), dir_ / "Chosen");
  EXPECT_EQ(ok.opened, 1);
  EXPECT_EQ(withSheet.GetStorePath(), dir_ / "Chosen");  // set now: no second question
  EXPECT_EQ(sink_.Messages().size(), 1u);

  settings::Set(settings_, settings::KanSet::StorePath, "");
  ScriptedSheet cancelled(settings_, "", false);
  MaterialStore cancelledStore(settings_, &cancelled);
  EXPECT_TRUE(cancelledStore.GetStorePath().empty());
  EXPECT_EQ(cancelled.opened, 1);
}

class RecordingOpener : public platform::FolderOpener {
 public:
  explicit RecordingOpener(bool result) : result_(result) {}
  bool OpenFolder(const fs::path& folder) override {
    opened.push_back(folder);
    return result_;
  }
  std::vector<fs::path> opened;

 private:
  bool result_;
};

TEST_F(MaterialStoreTest, OpenFolderShowsTheFolderOfTheLastComponent) {
  RecordingOpener opener(true);
  MaterialStore withOpener(settings_, nullptr, &opener);
  EXPECT_TRUE(withOpener.OpenFolderInBrowser("/data/PLUMEDATA/JPEG/34/00001234.JPEG"));
  EXPECT_TRUE(withOpener.OpenFolderInBrowser("/data/PLUMEDATA/"));
  EXPECT_THAT(opener.opened, ::testing::ElementsAre(fs::path("/data/PLUMEDATA/JPEG/34"), fs::path("/data/PLUMEDATA")));

  RecordingOpener failing(false);
  MaterialStore withFailing(settings_, nullptr, &failing);
  EXPECT_FALSE(withFailing.OpenFolderInBrowser("/data/PLUMEDATA/"));
  EXPECT_EQ(sink_.Ids(), std::vector<int>{static_cast<int>(StringId::FileBrowserStartFailed)});
}

TEST_F(MaterialStoreTest, LoadsStoredPicturesAndReportsUndecodableOnes) {
  plume::testing::FakePictureCodec codec;
  std::int32_t transparent = -1;
  const auto bytes = plume::testing::FakeImageBytes(30, 20);
  WriteBytes(Root() / "BMP" / "03" / "00000003.BMP", std::string(bytes.begin(), bytes.end()));
  auto picture = store_.LoadMaterialImage("BMP", "00000003", codec, transparent);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 30);
  EXPECT_EQ(picture->Height(), 20);
  EXPECT_EQ(transparent, -1);

  EXPECT_EQ(store_.LoadMaterialImage("BMP", "00000004", codec, transparent), nullptr);  // missing: silent
  EXPECT_TRUE(sink_.Messages().empty());

  WriteBytes(Root() / "GIF" / "05" / "00000005.GIF", "not a picture");
  EXPECT_EQ(store_.LoadMaterialImage("GIF", "00000005", codec, transparent), nullptr);
  ASSERT_EQ(sink_.Messages().size(), 1u);
  EXPECT_EQ(sink_.Last().id, static_cast<int>(StringId::ImageLoadFailed));
  EXPECT_THAT(sink_.Last().prefix, ::testing::HasSubstr("00000005.GIF"));
}

TEST_F(MaterialStoreTest, SerialCheckComparesTheCounterWithTheInformationFiles) {
  EXPECT_EQ(CheckSerials(Root()).infoFiles, 0);
  EXPECT_EQ(CheckSerials(Root()).ExpectedNext(), 0);  // an empty store is right to start at 0
  EXPECT_TRUE(CheckSerials(Root()).NextIsSafe(0));

  for (int n = 2; n <= 41; ++n) WriteBytes(store_.InfoFilePath(FormatSerial(n)), "x");
  WriteBytes(Root() / "KANRI" / "99" / "notes.xml", "not a serial");
  WriteBytes(Root() / "KANRI" / "99" / "abcdefgh.xml", "not a serial either");
  // Serials have at most nine digits: longer names would send walks past the counter's range.
  WriteBytes(Root() / "KANRI" / "99" / "99999999999.xml", "too long");
  WriteBytes(Root() / "KANRI" / "99" / "12345678901234567890123456.xml", "far too long");
  SerialCheck check = CheckSerials(Root());
  EXPECT_EQ(check.infoFiles, 40);
  EXPECT_EQ(check.largest, 41);
  EXPECT_EQ(check.ExpectedNext(), 42);
  EXPECT_TRUE(check.NextIsSafe(50));
  EXPECT_FALSE(check.NextIsSafe(41));

  WriteBytes(store_.InfoFilePath(FormatSerial(123456789)), "x");
  EXPECT_EQ(CheckSerials(Root()).largest, 123456789);  // nine digits count too
}

}  // namespace
}  // namespace plume::store::test
