#include <gtest/gtest.h>

#include "tests/support/FileSizeLimit.h"

#include "tests/support/PdfTestFiles.h"
#include "convert/CTxt2Pdf.h"
#include "platform/Cp932.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::convert {
namespace {

using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

std::string Lines(int count, const std::string& eol = "\r\n") {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + eol;
  return text;
}

class Txt2PdfTest : public ::testing::Test {
 protected:
  std::string Convert(const std::string& text, std::uint16_t width = 1000) {
    WriteFile(folder_ / "in.txt", text);
    converted_ = CTxt2Pdf().Convert(folder_ / "in.txt", folder_ / "out.pdf", width);
    return converted_ ? ReadFile(folder_ / "out.pdf") : std::string();
  }

  TempFolder folder_;
  ScriptedMessageSink sink_;
  ScopedMessageSink guard_{&sink_};
  bool converted_ = false;
};

TEST_F(Txt2PdfTest, WritesTheWorkedExampleByteForByte) {
  const std::string pdf = Convert("abc\r\n\x82\xA0");
  ASSERT_TRUE(converted_);
  const std::string content = "BT\n/F0 12 Tf\n0 0 0 rg 12 TL 30 801.560000 Td <616263> Tj\nT* <82a0> Tj\nET\n";
  ASSERT_EQ(content.size(), 73u);
  const std::string expected =
      "%PDF-1.2\n"
      "3 0 obj\n<<\n/Type /Font\n/Name /F0\n/BaseFont /HeiseiKakuGo-W5-90ms-RKSJ-H\n/Subtype /Type0\n"
      "/Encoding /90ms-RKSJ-H\n"
      "/DescendantFonts [ << /Type /Font /Subtype /CIDFontType0 /BaseFont /HeiseiKakuGo-W5\n"
      "/FontDescriptor << /Type /FontDescriptor /FontName /HeiseiKakuGo-W5 /ItalicAngle 0 "
      "/FontBBox [ -92 -250 1010 922 ]\n"
      "/Style << /Panose <0801020B0600000000000000>>> /Ascent 752 /CapHeight 737 /Descent -221\n"
      "/Flags 4 /StemV 114 /XHeight 553 >>\n"
      "/CIDSystemInfo << /Registry (Adobe)/Ordering (Japan1)/Supplement 2 >>\n"
      "/DW 1000 /W [ 231 389 500 631 631 500 ] >>\n]\n>>\nendobj\n"
      "4 0 obj\n<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n/Font << /F0 3 0 R >>\n"
      "/ProcSet [ /PDF /Text ]\n>>\n/MediaBox [ 0 0 1000 842 ]\n/Contents 5 0 R\n>>\nendobj\n"
      "5 0 obj\n<< /Length 6 0 R >>\nstream\n" +
      content +
      "endstream\nendobj\n"
      "6 0 obj\n73\nendobj\n"
      "1 0 obj\n<<\n/Type /Catalog\n/Pages 2 0 R\n>>\nendobj\n"
      "2 0 obj\n<<\n/Type /Pages\n/Kids [\n 4 0 R\n ]\n/Count 1\n>>\nendobj\n"
      "xref\n0 7\n0000000000 65535 f \n"
      "0000000864 00000 n \n0000000913 00000 n \n0000000009 00000 n \n"
      "0000000568 00000 n \n0000000721 00000 n \n0000000846 00000 n \n"
      "trailer\n<<\n/Size 7\n/Root 1 0 R\n>>\nstartxref\n974\n%%EOF\n";
  EXPECT_EQ(pdf, expected);
  EXPECT_EQ(pdf.size(), 1177u);
  EXPECT_EQ(pdf.substr(974, 5), "xref\n");
  EXPECT_TRUE(sink_.Messages().empty());
  test::ExpectQpdfCheckClean(folder_ / "out.pdf");
}

TEST_F(Txt2PdfTest, EmptyTextGivesOnePageWithAnEmptyStream) {
  const std::string pdf = Convert("");
  ASSERT_TRUE(converted_);
  EXPECT_NE(pdf.find("5 0 obj\n<< /Length 6 0 R >>\nstream\nendstream\n"), std::string::npos);
  EXPECT_NE(pdf.find("6 0 obj\n0\nendobj\n"), std::string::npos);
  EXPECT_NE(pdf.find("/Count 1\n"), std::string::npos);
  test::ExpectQpdfCheckClean(folder_ / "out.pdf");
}

TEST_F(Txt2PdfTest, PutsSixtyFiveLinesOnAPage) {
  struct Case {
    int lines;
    int pages;
  };
  for (const Case c : {Case{1, 1}, Case{65, 1}, Case{66, 2}, Case{130, 2}, Case{131, 3}}) {
    const std::string pdf = Convert(Lines(c.lines));
    ASSERT_TRUE(converted_);
    EXPECT_NE(pdf.find("/Count " + std::to_string(c.pages) + "\n"), std::string::npos) << c.lines;
    EXPECT_EQ(Count(pdf, "BT\n"), static_cast<std::size_t>(c.pages)) << c.lines;
    EXPECT_EQ(Count(pdf, "ET\n"), static_cast<std::size_t>(c.pages)) << c.lines;
    // Every line but the first of each page starts with T*.
    EXPECT_EQ(Count(pdf, "T* <"), static_cast<std::size_t>(c.lines - c.pages)) << c.lines;
    EXPECT_NE(pdf.find("/Size " + std::to_string(3 * c.pages + 4) + "\n"), std::string::npos) << c.lines;
  }
  // The 66th line opens page 2 (objects 7, 8, 9).
  const std::string pdf = Convert(Lines(66));
  EXPECT_NE(pdf.find("8 0 obj\n<< /Length 9 0 R >>\nstream\nBT\n/F0 12 Tf\n0 0 0 rg 12 TL 30 801.560000 Td "
                     "<6c696e65203635> Tj\nET\nendstream\n"),
            std::string::npos);
  EXPECT_NE(pdf.find("/Kids [\n 4 0 R\n 7 0 R\n ]\n"), std::string::npos);
}

TEST_F(Txt2PdfTest, WrapsLongLinesToThePageWidth) {
  // 157 single-byte characters: 156 and 1.
  std::string pdf = Convert(std::string(157, 'a'));
  std::string hex156;
  for (int i = 0; i < 156; ++i) hex156 += "61";
  EXPECT_NE(pdf.find("<" + hex156 + "> Tj\nT* <61> Tj\nET\n"), std::string::npos);
  // 79 double-byte characters: 78 and 1, never split.
  std::string kana;
  for (int i = 0; i < 79; ++i) kana += "\x82\xA0";
  pdf = Convert(kana);
  std::string hex78;
  for (int i = 0; i < 78; ++i) hex78 += "82a0";
  EXPECT_NE(pdf.find("<" + hex78 + "> Tj\nT* <82a0> Tj\nET\n"), std::string::npos);
}

TEST_F(Txt2PdfTest, WritesMorePagesThanThreeDigitObjectNumbersAllow) {
  // 340 pages: object numbers reach 1,023.
  const std::string pdf = Convert(Lines(340 * 65, "\n"));
  ASSERT_TRUE(converted_);
  EXPECT_NE(pdf.find("\n1021 0 obj\n<<\n/Type /Page\n"), std::string::npos);
  EXPECT_NE(pdf.find(" 1021 0 R\n ]\n/Count 340\n"), std::string::npos);
  test::ExpectQpdfCheckClean(folder_ / "out.pdf");
  const test::CommandResult info = test::RunCommand("pdfinfo " + test::Quoted(folder_ / "out.pdf"));
  EXPECT_EQ(test::PdfInfoField(info.output, "Pages"), "340") << info.output;
}

TEST_F(Txt2PdfTest, RefusesAPageWithNoRoomBetweenTheMarginsAndWritesNothing) {
  for (const std::uint16_t width : {0, 1, 59, 60}) {
    sink_.Reset();
    EXPECT_EQ(Convert("abc", width), "");
    EXPECT_EQ(sink_.Ids(), std::vector<int>{30330}) << width;
    EXPECT_FALSE(std::filesystem::exists(folder_ / "out.pdf")) << width;
  }
  // The narrowest page takes one character a line and is still a sound file.
  const std::string pdf = Convert("ab\x82\xA0", 61);
  ASSERT_TRUE(converted_);
  EXPECT_NE(pdf.find("<61> Tj\nT* <62> Tj\nT* <82a0> Tj\nET\n"), std::string::npos);
  test::ExpectQpdfCheckClean(folder_ / "out.pdf");
}

TEST_F(Txt2PdfTest, ReportsFilesThatCannotBeOpenedWithTheirTagLines) {
  EXPECT_FALSE(CTxt2Pdf().Convert(folder_ / "missing.txt", folder_ / "out.pdf", 1000));
  EXPECT_EQ(sink_.Last().id, 30013);
  EXPECT_EQ(sink_.Last().prefix, "読み込みファイルオープンエラー\n");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "out.pdf"));

  WriteFile(folder_ / "in.txt", "abc");
  EXPECT_FALSE(CTxt2Pdf().Convert(folder_ / "in.txt", folder_ / "none" / "out.pdf", 1000));
  EXPECT_EQ(sink_.Last().id, 30013);
  EXPECT_EQ(sink_.Last().prefix, "書き込みファイル作成エラー\n");

  // The text file itself as the output: refused before it is truncated.
  EXPECT_FALSE(CTxt2Pdf().Convert(folder_ / "in.txt", folder_ / "in.txt", 1000));
  EXPECT_EQ(sink_.Last().prefix, "書き込みファイル作成エラー\n");
  EXPECT_EQ(ReadFile(folder_ / "in.txt"), "abc");
}

TEST_F(Txt2PdfTest, AFullDiskIsAFailureNotASuccess) {
  WriteFile(folder_ / "in.txt", Lines(500));
  {
    testing::FileSizeLimit full(1000);
    EXPECT_FALSE(CTxt2Pdf().Convert(folder_ / "in.txt", folder_ / "out.pdf", 1000));
  }
  EXPECT_EQ(sink_.Last().id, 30013);
  EXPECT_EQ(sink_.Last().prefix, "書き込みファイル書き込みエラー\n");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "out.pdf"));
}

TEST_F(Txt2PdfTest, PopplerReadsTheJapaneseTextBack) {
  const std::string text = "日本語のテキスト、ひらがな・カタカナ\r\nASCII line\rＰＤＦ変換\n";
  Convert(platform::Utf8ToCp932(text));
  ASSERT_TRUE(converted_);
  const test::CommandResult r = test::RunCommand("pdftotext -enc UTF-8 " + test::Quoted(folder_ / "out.pdf") + " -");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("日本語のテキスト、ひらがな・カタカナ"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("ASCII line"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("ＰＤＦ変換"), std::string::npos) << r.output;
}

}  // namespace
}  // namespace plume::convert
