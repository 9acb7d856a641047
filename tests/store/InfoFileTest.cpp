// Information files: the exact bytes written, reading back, owners and late hashes.

#include "store/InfoFile.h"

#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

#include "StoreFixture.h"
#include "store/InfoFileFormat.h"
#include "store/InfoLineReader.h"
#include "store/OwnerLookup.h"
#include "platform/Cp932.h"

namespace plume::store::test {
namespace {

using ::testing::HasSubstr;

const std::string kShaAbc = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";

/// The values of tests/data/store/info-reference.xml (CP932 title with "表",
/// whose second byte is a backslash, "&" and "<").
MaterialInfo ReferenceInfo() {
  MaterialInfo info;
  info.ext = "JPEG";
  info.width = "640";
  info.height = "480";
  info.size = "123456";
  info.sha256 = kShaAbc;
  info.title = "\x95\x5c&<b> \x92\xb2\x8d\xb8\x83\x81\x83\x82";
  info.getFrom = "https://example.org/a?b=1&c=2";
  info.createDate = "2013.04.23 09:05";
  return info;
}

const fs::path kReferenceOwner = fs::path("/home/user/資料/plan.pbd");

fs::path DataFile(const char* name) { return fs::path(PLUME_TEST_DATA_DIR) / "store" / name; }

class InfoFileTest : public StoreFixture {
 protected:
  fs::path InfoPath(std::string_view serial) { return MaterialStore::InfoFileIn(Root(), serial); }
  InfoFile info_{store_};
};

TEST_F(InfoFileTest, WritesTheReferenceBytesAndReadsThemBack) {
  ASSERT_TRUE(info_.WriteInfo("00000012", ReferenceInfo(), kReferenceOwner));
  const std::string written = ReadBytes(InfoPath("00000012"));
  EXPECT_EQ(written, ReadBytes(DataFile("info-reference.xml")));  // CR LF, tabs, CP932 owner

  auto back = info_.ReadInfo("00000012");
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, ReferenceInfo());
  auto owners = info_.ReadOwners("00000012");
  ASSERT_TRUE(owners);
  EXPECT_EQ(owners->count, 1);
  EXPECT_EQ(owners->firstOwner, kReferenceOwner);
  EXPECT_TRUE(info_.InfoFileExists("00000012"));
  EXPECT_FALSE(info_.InfoFileExists("00000013"));
  EXPECT_FALSE(info_.ReadInfo("00000013"));
  EXPECT_FALSE(fs::exists(Root() / "KANRI" / "13"));  // reading creates no bucket
}

TEST_F(InfoFileTest, OverwritingReplacesTheWholeFile) {
  MaterialInfo big = ReferenceInfo();
  big.title = std::string(500, 'x');
  ASSERT_TRUE(info_.WriteInfo("00000001", big, "/a.pbd"));
  ASSERT_TRUE(info_.WriteInfo("00000001", ReferenceInfo(), kReferenceOwner));
  EXPECT_EQ(ReadBytes(InfoPath("00000001")), ReadBytes(DataFile("info-reference.xml")));
  EXPECT_FALSE(fs::exists(InfoPath("00000001").string() + ".tmp"));
}

// The store may be shared: a link planted where a temporary file could go is never written through.
TEST_F(InfoFileTest, LinkPlantedBesideTheInformationFileIsNotWrittenThrough) {
  ASSERT_TRUE(info_.WriteInfo("00000002", ReferenceInfo(), kReferenceOwner));
  const fs::path victim = Root() / "victim";
  std::ofstream(victim) << "precious";
  fs::create_symlink(victim, InfoPath("00000002").string() + ".tmp");
  ASSERT_TRUE(info_.WriteInfo("00000002", ReferenceInfo(), "/b.pbd"));
  EXPECT_EQ(ReadBytes(victim), "precious");
  EXPECT_TRUE(fs::is_symlink(InfoPath("00000002").string() + ".tmp"));
}

TEST_F(InfoFileTest, FileWithoutHashLineKeepsItsOtherValuesAndTakesALateHash) {
  fs::copy_file(DataFile("info-without-sha256.xml"), (fs::create_directories(Root() / "KANRI" / "07"),
                                                       InfoPath("00000007")));
  auto before = info_.ReadInfo("00000007");
  ASSERT_TRUE(before);
  EXPECT_EQ(before->sha256, "");
  EXPECT_EQ(before->size, "2048");
  EXPECT_EQ(before->title, "old page");
  EXPECT_EQ(before->getFrom, "http://example.com/");
  EXPECT_EQ(before->createDate, "2009.01.02 03:04");

  ASSERT_TRUE(info_.SetSha256("00000007", kShaAbc));
  auto after = info_.ReadInfo("00000007");
  ASSERT_TRUE(after);
  EXPECT_EQ(after->sha256, kShaAbc);
  EXPECT_EQ(after->title, "old page");
  EXPECT_EQ(info_.OwnerPath(7, 1), fs::path("C:\\Users\\a\\old.pbd"));
  EXPECT_THAT(ReadBytes(InfoPath("00000007")),
              ::testing::EndsWith("\t<FilePath>C:\\Users\\a\\old.pbd</FilePath>\r\n\t<FileInfo>\r\n\t\t<SHA256>" +
                                  kShaAbc + "</SHA256>\r\n\t</FileInfo>\r\n</Root>\r\n"));
}

TEST_F(InfoFileTest, LateHashWinsOverAnEmptyFirstHashLine) {
  MaterialInfo info = ReferenceInfo();
  info.sha256 = "";
  ASSERT_TRUE(info_.WriteInfo("00000002", info, "/a.pbd"));
  EXPECT_EQ(info_.ReadInfo("00000002")->sha256, "");
  ASSERT_TRUE(info_.SetSha256("00000002", kShaAbc));
  EXPECT_EQ(info_.ReadInfo("00000002")->sha256, kShaAbc);  // so the search does not hash it again
  ASSERT_TRUE(info_.SetSha256("00000002", ""));            // an empty late line changes nothing
  EXPECT_EQ(info_.ReadInfo("00000002")->sha256, kShaAbc);
}

TEST_F(InfoFileTest, OwnersAreAppendedInOrderAndCounted) {
  ASSERT_TRUE(info_.WriteInfo("00000003", ReferenceInfo(), "/docs/first.pbd"));
  ASSERT_TRUE(info_.AddOwner("00000003", "/docs/second.pbd"));
  ASSERT_TRUE(info_.AddOwner("00000003", "/docs/第三.pbd"));
  auto owners = info_.ReadOwners("00000003");
  ASSERT_TRUE(owners);
  EXPECT_EQ(owners->count, 3);
  EXPECT_EQ(owners->firstOwner, fs::path("/docs/first.pbd"));
  EXPECT_EQ(info_.ReadInfoTag(3, "FilePath", 2), "/docs/second.pbd");
  EXPECT_EQ(info_.OwnerPath(3, 3), fs::path("/docs/第三.pbd"));
  EXPECT_EQ(info_.ReadInfoTag(3, "FilePath", 4), "");
  EXPECT_EQ(*info_.ReadInfo("00000003"), ReferenceInfo());  // the body survived both rewrites
  EXPECT_THAT(ReadBytes(InfoPath("00000003")), HasSubstr("\t<FilePath>/docs/\x91\xe6\x8e\x4f.pbd</FilePath>\r\n"));
}

// Owner paths come back lossy from CP932 ("é" and "😀" become "?"): the
// lookup still finds the document, says absent only when no name fits, and
// removing a document's owner line takes exactly the line it wrote.
TEST_F(InfoFileTest, LossyOwnerPathsAreFoundAndRemovedExactly) {
  const fs::path docs = dir_ / "café😀";
  fs::create_directories(docs);
  const fs::path owner = docs / "plan é😀.pbd";
  const fs::path twin = docs / "plan ß😀.pbd";  // converts to the same bytes
  WriteBytes(owner, "x");
  ASSERT_TRUE(info_.WriteInfo("00000005", ReferenceInfo(), "/docs/first.pbd"));
  ASSERT_TRUE(info_.AddOwner("00000005", owner));
  ASSERT_TRUE(info_.AddOwner("00000005", "/docs/last.pbd"));
  const std::string lossy = info_.ReadInfoTag(5, "FilePath", 2);
  ASSERT_NE(lossy.find('?'), std::string::npos);
  EXPECT_EQ(OwnerLookup::Find(lossy), OwnerPresence::Present);
  EXPECT_EQ(OwnerLookup::Find(platform::Utf8ToCp932((docs / "plan xx.pbd").string())), OwnerPresence::Absent);
  EXPECT_EQ(OwnerLookup::Find("/docs/first.pbd"), OwnerPresence::Absent);

  fs::rename(owner, twin);
  EXPECT_EQ(OwnerLookup::Find(lossy), OwnerPresence::Present);  // a name that may be the one written
  fs::remove(twin);
  EXPECT_EQ(OwnerLookup::Find(lossy), OwnerPresence::Absent);

  const std::string before = ReadBytes(InfoPath("00000005"));
  EXPECT_FALSE(info_.RemoveOwner("00000005", dir_ / "other.pbd"));
  ASSERT_TRUE(info_.RemoveOwner("00000005", owner));
  std::string expected = before;
  const std::string line = OwnerLine(lossy);
  expected.erase(expected.find(line), line.size());
  EXPECT_EQ(ReadBytes(InfoPath("00000005")), expected);
  EXPECT_EQ(info_.ReadOwners("00000005")->count, 2);
}

TEST_F(InfoFileTest, EmptyFirstOwnerMeansNoOwners) {
  ASSERT_TRUE(info_.WriteInfo("00000004", ReferenceInfo(), ""));
  ASSERT_TRUE(info_.AddOwner("00000004", "/later.pbd"));
  EXPECT_EQ(info_.ReadOwners("00000004")->count, 0);
  EXPECT_TRUE(info_.ReadOwners("00000004")->firstOwner.empty());
}

TEST_F(InfoFileTest, ClosingTagTextCutsAValueAndLineBreaksBecomeBlanks) {
  MaterialInfo info = ReferenceInfo();
  info.title = "a</b>c";
  info.getFrom = "line one\r\nline two\nthree\rfour";
  ASSERT_TRUE(info_.WriteInfo("00000005", info, "/x.pbd"));
  auto back = info_.ReadInfo("00000005");
  EXPECT_EQ(back->title, "a");
  EXPECT_EQ(back->getFrom, "line one line two three four");
  EXPECT_EQ(back->createDate, info.createDate);
  const std::string bytes = ReadBytes(InfoPath("00000005"));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 16);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 16);
}

TEST_F(InfoFileTest, TagsInsideValuesDoNotFoolTheReaders) {
  MaterialInfo info = ReferenceInfo();
  info.sha256 = "";
  info.title = "see <SHA256>DEADBEEF and <FilePath>/evil.pbd";
  ASSERT_TRUE(info_.WriteInfo("00000006", info, "/real.pbd"));
  ASSERT_TRUE(info_.AddOwner("00000006", "/odd</Root>name.pbd"));
  ASSERT_TRUE(info_.AddOwner("00000006", "/third.pbd"));
  auto back = info_.ReadInfo("00000006");
  EXPECT_EQ(back->sha256, "");
  EXPECT_EQ(back->title, info.title);
  auto owners = info_.ReadOwners("00000006");
  EXPECT_EQ(owners->count, 3);  // the owner holding "</Root>" did not end the body
  EXPECT_EQ(owners->firstOwner, fs::path("/real.pbd"));
  EXPECT_EQ(info_.ReadInfoTag(6, "FilePath", 3), "/third.pbd");
}

TEST_F(InfoFileTest, RewritingRefusesMissingAndDamagedFiles) {
  EXPECT_FALSE(info_.AddOwner("00000008", "/a.pbd"));
  EXPECT_FALSE(fs::exists(InfoPath("00000008")));
  const std::string damaged = "garbage\r\nno root here\r\n";
  WriteBytes(InfoPath("00000009"), damaged);
  EXPECT_FALSE(info_.AddOwner("00000009", "/a.pbd"));
  EXPECT_FALSE(info_.SetSha256("00000009", kShaAbc));
  EXPECT_EQ(ReadBytes(InfoPath("00000009")), damaged);
}

TEST_F(InfoFileTest, RewriteKeepsBodiesLongerThanTheReadLimit) {
  ASSERT_TRUE(info_.WriteInfo("00000010", ReferenceInfo(), "/o1.pbd"));
  for (int i = 2; i <= 1100; ++i) ASSERT_TRUE(info_.AddOwner("00000010", "/o" + std::to_string(i) + ".pbd"));
  ASSERT_TRUE(info_.SetSha256("00000010", "AB"));
  const std::string bytes = ReadBytes(InfoPath("00000010"));
  EXPECT_THAT(bytes, HasSubstr("<FilePath>/o1100.pbd</FilePath>\r\n\t<FileInfo>"));
  EXPECT_THAT(bytes, ::testing::EndsWith("</Root>\r\n"));
  // Readers stop after 1000 lines: owner 986 sits on line 1000, 987 beyond it
  EXPECT_EQ(info_.ReadOwners("00000010")->count, 986);
  EXPECT_EQ(info_.ReadInfoTag(10, "FilePath", 986), "/o986.pbd");
  EXPECT_EQ(info_.ReadInfoTag(10, "FilePath", 987), "");
}

TEST_F(InfoFileTest, ReadsLargeFilesAndRefusesFolders) {
  MaterialInfo info = ReferenceInfo();
  info.getFrom = std::string(3 << 20, 'u');  // past the size read in one piece
  ASSERT_TRUE(info_.WriteInfo("00000011", info, "/big.pbd"));
  EXPECT_EQ(*info_.ReadInfo("00000011"), info);
  EXPECT_EQ(info_.ReadOwners("00000011")->count, 1);
  EXPECT_EQ(info_.ReadInfoTag(11, "FilePath", 1), "/big.pbd");

  fs::create_directories(InfoPath("00000014"));
  EXPECT_FALSE(info_.ReadInfo("00000014"));
  EXPECT_FALSE(info_.ReadOwners("00000014"));
}

TEST(InfoLineReader, ReadsOnFromWhereTheLastReadStoppedWithinTheLineLimit) {
  std::istringstream in("<A>1</A>\n<B>2</B>\n<A>3</A>\r\n<A>no close\n  <A>5</A>\n");
  InfoLineReader reader(in);
  EXPECT_EQ(reader.ReadTag("B"), "2");
  EXPECT_EQ(reader.ReadTag("A"), "3");  // counted from after the B line
  EXPECT_EQ(reader.ReadTag("A", 2), "5");
  EXPECT_EQ(reader.ReadTag("A"), "");  // at the end
  reader.Rewind();
  EXPECT_EQ(reader.ReadLastNonEmpty("A"), "5");

  std::string far;
  for (int i = 0; i < 999; ++i) far += "filler\r\n";
  std::istringstream atLimit(far + "<X>found</X>\r\n");
  EXPECT_EQ(InfoLineReader(atLimit).ReadTag("X"), "found");
  std::istringstream past(far + "filler\r\n<X>lost</X>\r\n");
  EXPECT_EQ(InfoLineReader(past).ReadTag("X"), "");
}

TEST(InfoFileFormat, ReadsFilesWithBareLineFeeds) {
  std::string text = InfoFileText(ReferenceInfo(), "/o.pbd");
  std::erase(text, '\r');
  std::istringstream in(text);
  EXPECT_EQ(ReadInfoFrom(in), ReferenceInfo());
}

}  // namespace
}  // namespace plume::store::test
