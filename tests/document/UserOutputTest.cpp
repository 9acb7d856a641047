// The one rule for files the user chooses to write, and readers that open
// only regular files: links followed, anything but a regular file refused,
// read-only files kept, write errors reported with the old file intact.

#include <sys/stat.h>

#include "DocIoFixture.h"
#include "platform/DurableFiles.h"
#include "platform/UserOutput.h"
#include "tests/support/FileSizeLimit.h"

namespace plume::document::test {
namespace {

class UserOutputTest : public DocIoTest {
 protected:
  bool Write(const fs::path& path, std::string_view bytes) {
    return platform::WriteUserFile(path, [bytes](std::ostream& out) { return static_cast<bool>(out << bytes); });
  }
};

TEST_F(UserOutputTest, LinkIsFollowedAndItsTargetReplacedWhileTheLinkStays) {
  WriteAll(docs / "real.txt", "old");
  fs::create_symlink("real.txt", docs / "link.txt");
  ASSERT_TRUE(Write(docs / "link.txt", "new"));
  EXPECT_TRUE(fs::is_symlink(docs / "link.txt"));
  EXPECT_EQ(ReadAll(docs / "real.txt"), "new");
  // A dangling link makes its target.
  fs::create_symlink("made.txt", docs / "dangling.txt");
  ASSERT_TRUE(Write(docs / "dangling.txt", "made"));
  EXPECT_EQ(ReadAll(docs / "made.txt"), "made");
  EXPECT_TRUE(HiddenFiles(docs).empty());
}

TEST_F(UserOutputTest, TargetsThatAreNoRegularFileOrAreReadOnlyAreRefusedUntouched) {
  mkfifo((docs / "fifo").c_str(), 0600);
  fs::create_directory(docs / "folder");
  WriteAll(docs / "locked.txt", "kept");
  fs::permissions(docs / "locked.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink(docs / "fifo", docs / "to-fifo");
  const struct {
    fs::path path;
    int id;
  } cases[] = {{"/dev/full", 30580}, {"/dev/null", 30580},          {docs / "fifo", 30580},
               {docs / "to-fifo", 30580}, {docs / "folder", 30580}, {docs / "locked.txt", 30581}};
  for (const auto& c : cases) {
    sink.Reset();
    EXPECT_FALSE(Write(c.path, "x")) << c.path;
    EXPECT_EQ(sink.Ids(), std::vector<int>{c.id}) << c.path;
  }
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_EQ(fs::status(docs / "fifo").type(), fs::file_type::fifo);
  EXPECT_EQ(ReadAll(docs / "locked.txt"), "kept");
  EXPECT_TRUE(HiddenFiles(docs).empty());
}

TEST_F(UserOutputTest, WriteErrorIsReportedAndLeavesTheOldFile) {
  WriteAll(docs / "out.txt", "old");
  {
    testing::FileSizeLimit full(4);
    EXPECT_FALSE(Write(docs / "out.txt", std::string(100000, 'x')));
  }
  EXPECT_EQ(sink.Ids(), std::vector<int>{30582});
  EXPECT_EQ(ReadAll(docs / "out.txt"), "old");
  EXPECT_TRUE(HiddenFiles(docs).empty());
}

TEST_F(UserOutputTest, ReadOnlyDocumentIsNotReplacedAndStaysModified) {
  const fs::path path = docs / "plan.pbd";
  MakeChart(*doc, 1);
  ASSERT_TRUE(tessel->SaveDocument(path));
  const std::string before = ReadAll(path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  MakeChart(*doc, 2);
  tessel->SetModified(true);
  EXPECT_FALSE(tessel->Save());
  EXPECT_EQ(sink.Ids(), std::vector<int>{30581});
  EXPECT_TRUE(tessel->IsModified());
  EXPECT_EQ(ReadAll(path), before);
}

TEST_F(UserOutputTest, DocumentSavedThroughALinkReplacesTheTarget) {
  MakeChart(*doc, 1);
  ASSERT_TRUE(tessel->SaveDocument(docs / "real.pbd"));
  fs::create_symlink("real.pbd", docs / "link.pbd");
  MakeChart(*doc, 2);
  ASSERT_TRUE(tessel->SaveDocument(docs / "link.pbd"));
  EXPECT_TRUE(fs::is_symlink(docs / "link.pbd"));
  EXPECT_TRUE(SameChart(OpenedBytes(docs / "real.pbd"), ChartBytes(*doc)));
}

// Readers never block on a FIFO: the open refuses it, the backup copy fails.
TEST_F(UserOutputTest, FifosAreNeitherOpenedNorCopied) {
  mkfifo((docs / "pipe.pbd").c_str(), 0600);
  MakeChart(*doc, 1);
  EXPECT_FALSE(tessel->OpenDocument(docs / "pipe.pbd"));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30584});
  EXPECT_FALSE(platform::CopyFileDurably(docs / "pipe.pbd", docs / "copy.pbd"));
  EXPECT_FALSE(fs::exists(docs / "copy.pbd"));
}

}  // namespace
}  // namespace plume::document::test
