#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "tests/support/PdfTestFiles.h"
#include "convert/CJpg2Pdf.h"
#include "convert/CTxt2Pdf.h"
#include "convert/DocsmithLibrary.h"
#include "convert/PdfHelper.h"
#include "platform/Cp932.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::convert {
namespace {

using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;
using test::Quoted;
using test::RunCommand;
using test::TempFolder;
using test::WriteFile;

class PdfHelperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
    WriteFile(folder_ / "in.jpg", test::TestDataFile("rgb-baseline.jpg"));
    CJpg2Pdf jpg;
    jpg.SetSuccessLine(false);
    ASSERT_TRUE(jpg.Convert(Image(), folder_ / "in.jpg"));
    WriteFile(folder_ / "in.txt", platform::Utf8ToCp932("テキストの頁\r\n二行目\r\n"));
    ASSERT_TRUE(CTxt2Pdf().Convert(folder_ / "in.txt", Text(), 64));
  }
  void TearDown() override { DocsmithLibrary::SetFolder({}); }

  std::filesystem::path Image() const { return folder_ / "image.pdf"; }
  std::filesystem::path Text() const { return folder_ / "text.pdf"; }
  std::string PdfInfo(const std::filesystem::path& pdf) { return RunCommand("pdfinfo -isodates " + Quoted(pdf)).output; }

  TempFolder folder_;
  ScriptedMessageSink sink_;
  ScopedMessageSink guard_{&sink_};
};

TEST_F(PdfHelperTest, JoinsPagesOfTheFirstFileBeforeThoseOfTheSecond) {
  ASSERT_TRUE(JoinPdfFiles(Image(), Text(), folder_ / "joined.pdf"));
  EXPECT_TRUE(sink_.Messages().empty());
  test::ExpectQpdfCheckClean(folder_ / "joined.pdf");
  EXPECT_EQ(test::PdfInfoField(PdfInfo(folder_ / "joined.pdf"), "Pages"), "2");
  // Page 1 is the image page (64 x 48), page 2 the text page (64 x 842).
  const std::string sizes = RunCommand("pdfinfo -f 1 -l 2 " + Quoted(folder_ / "joined.pdf")).output;
  EXPECT_EQ(test::PdfInfoField(sizes, "Page 1 size"), "64 x 48 pts") << sizes;
  EXPECT_EQ(test::PdfInfoField(sizes, "Page 2 size"), "64 x 842 pts") << sizes;
  const std::string text = RunCommand("pdftotext -enc UTF-8 -f 2 -l 2 " + Quoted(folder_ / "joined.pdf") + " -").output;
  // The page is narrow: one character a line.
  EXPECT_EQ(text.substr(0, 8), "テ\nキ\n") << text;
}

// As the chart export does: each page joined behind the growing document, the
// result alternating between two scratch files.
TEST_F(PdfHelperTest, JoinsOnePageAtATimeIntoAlternatingFiles) {
  std::filesystem::path acc = Image();
  for (int i = 1; i < 4; ++i) {
    const std::filesystem::path out = folder_ / (i % 2 ? "tmp3.pdf" : "tmp2.pdf");
    ASSERT_TRUE(JoinPdfFiles(acc, Image(), out)) << i;
    acc = out;
  }
  EXPECT_EQ(test::PdfInfoField(PdfInfo(acc), "Pages"), "4");
  test::ExpectQpdfCheckClean(acc);
}

TEST_F(PdfHelperTest, AJoinThatCannotReadItsInputFailsAndLeavesTheOutput) {
  WriteFile(folder_ / "joined.pdf", "earlier");
  WriteFile(folder_ / "broken.pdf", "not a pdf at all");
  EXPECT_FALSE(JoinPdfFiles(Image(), folder_ / "missing.pdf", folder_ / "joined.pdf"));
  EXPECT_EQ(sink_.Last().id, 30003);
  EXPECT_EQ(sink_.Last().prefix, "[Combine PDF]\n");
  EXPECT_FALSE(JoinPdfFiles(folder_ / "broken.pdf", Image(), folder_ / "joined.pdf"));
  EXPECT_EQ(test::ReadFile(folder_ / "joined.pdf"), "earlier");
}

TEST_F(PdfHelperTest, WritesJapaneseTitleAddressCreatorProducerAndDates) {
  // Dates are local time with the zone's offset; a fixed zone keeps the test exact.
  const char* oldTz = std::getenv("TZ");
  const std::string savedTz = oldTz ? oldTz : "";
  setenv("TZ", "JST-9", 1);
  tzset();
  PdfInfoSource source;
  source.title = platform::Utf8ToCp932("日本語のページ題名 ～ テスト");
  source.address = "https://example.org/a?b=1&c=2";
  source.when = 1'700'000'000;  // 2023-11-15 07:13:20 JST
  EXPECT_EQ(PdfInfoDate(*source.when), "2023.11.15 07:13:20");
  const bool ok = AddPdfInfo(Image(), folder_ / "final.pdf", source);
  if (oldTz) setenv("TZ", savedTz.c_str(), 1); else unsetenv("TZ");
  tzset();
  ASSERT_TRUE(ok);
  EXPECT_TRUE(sink_.Messages().empty());
  test::ExpectQpdfCheckClean(folder_ / "final.pdf");
  const std::string info = PdfInfo(folder_ / "final.pdf");
  EXPECT_EQ(test::PdfInfoField(info, "Title"), "日本語のページ題名 ～ テスト") << info;
  EXPECT_EQ(test::PdfInfoField(info, "Subject"), "https://example.org/a?b=1&c=2") << info;
  EXPECT_EQ(test::PdfInfoField(info, "Creator"), "Plumeboard (Wendmoor)") << info;
  EXPECT_EQ(test::PdfInfoField(info, "Producer"), "Plumeboard (by \"libdocsmith.so\")") << info;
  EXPECT_EQ(test::PdfInfoField(info, "CreationDate").substr(0, 22), "2023-11-15T07:13:20+09") << info;
  EXPECT_EQ(test::PdfInfoField(info, "ModDate").substr(0, 22), "2023-11-15T07:13:20+09") << info;
  EXPECT_EQ(info.find("Author:"), std::string::npos) << info;
}

TEST_F(PdfHelperTest, WritesInformationOverItsOwnSource) {
  ASSERT_TRUE(AddPdfInfo(Text(), Text(), PdfInfoSource{"title", "address", std::nullopt}));
  test::ExpectQpdfCheckClean(Text());
  EXPECT_EQ(test::PdfInfoField(PdfInfo(Text()), "Title"), "title");
}

TEST_F(PdfHelperTest, InformationThatCannotBeWrittenShows30006AndWritesNothing) {
  WriteFile(folder_ / "broken.pdf", "%PDF-1.2\nnothing else");
  EXPECT_FALSE(AddPdfInfo(folder_ / "broken.pdf", folder_ / "final.pdf", {}));
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30006});
  EXPECT_EQ(sink_.Last().prefix, "");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "final.pdf"));
  // A file that cannot be put in place is a write error naming it.
  EXPECT_FALSE(AddPdfInfo(Image(), folder_ / "no-folder" / "final.pdf", {}));
  EXPECT_EQ(sink_.Last().id, 30582);
  EXPECT_EQ(sink_.Last().prefix, (folder_ / "no-folder" / "final.pdf").string() + "\n");
}

TEST_F(PdfHelperTest, AMissingLibraryIsNamedWithItsFullPath) {
  TempFolder empty;
  DocsmithLibrary::SetFolder(empty.Path());
  const std::string expected = (empty.Path() / "libdocsmith.so").string() + "\n";
  EXPECT_FALSE(JoinPdfFiles(Image(), Text(), folder_ / "joined.pdf"));
  EXPECT_EQ(sink_.Last().id, 30025);
  EXPECT_EQ(sink_.Last().prefix, expected);
  EXPECT_FALSE(AddPdfInfo(Image(), folder_ / "final.pdf", {}));
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30025, 30025}));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "joined.pdf"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "final.pdf"));

  // A library of that name without the four exports counts as missing too.
  std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libm.so.6", empty / "libdocsmith.so");
  sink_.Reset();
  EXPECT_FALSE(JoinPdfFiles(Image(), Text(), folder_ / "joined.pdf"));
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30025});
}

}  // namespace
}  // namespace plume::convert
