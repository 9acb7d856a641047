#include <gtest/gtest.h>

#include "tests/support/FileSizeLimit.h"

#include "tests/support/PdfTestFiles.h"
#include "convert/CJpg2Pdf.h"
#include "convert/JpegHeader.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::convert {
namespace {

using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;
using test::JpegBuilder;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

class Jpg2PdfTest : public ::testing::Test {
 protected:
  // Writes `jpeg`, converts it and returns the PDF bytes ("" when Convert failed).
  std::string Convert(const std::string& jpeg) {
    WriteFile(folder_ / "in.jpg", jpeg);
    CJpg2Pdf writer;
    writer.SetSuccessLine(false);
    converted_ = writer.Convert(folder_ / "out.pdf", folder_ / "in.jpg");
    return converted_ ? ReadFile(folder_ / "out.pdf") : std::string();
  }

  // The first message must be 30003 with `tag`, and no PDF may have been written.
  void ExpectRefused(const std::string& jpeg, const std::string& tag) {
    sink_.Reset();
    EXPECT_EQ(Convert(jpeg), "");
    EXPECT_FALSE(converted_);
    ASSERT_EQ(sink_.Ids(), std::vector<int>{30003}) << tag;
    EXPECT_EQ(sink_.Last().prefix, tag);
    EXPECT_EQ(sink_.Last().icon, platform::MsgIcon::Error);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "out.pdf")) << tag;
  }

  TempFolder folder_;
  ScriptedMessageSink sink_;
  ScopedMessageSink guard_{&sink_};
  bool converted_ = false;
};

// The whole file for a 640 x 480 three-component JPEG of 10,000 bytes.
TEST_F(Jpg2PdfTest, WritesTheWorkedExampleByteForByte) {
  const std::string jpeg = JpegBuilder().Frame(0xC0, 640, 480, 3).PaddedTo(10000);
  const std::string pdf = Convert(jpeg);
  ASSERT_TRUE(converted_);
  const std::string head =
      "%PDF-1.2\n"
      "1 0 obj\n<<\n/Type /Catalog\n/Pages 2 0 R\n>>\nendobj\n"
      "2 0 obj\n<<\n/Type /Pages\n/Kids [ 3 0 R ]\n/Count 1\n>>\nendobj\n"
      "3 0 obj\n<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n/XObject << /Im0 4 0 R >>\n"
      "/ProcSet [ /PDF /ImageC ]\n>>\n/MediaBox [ 0 0 640 480 ]\n/Contents 5 0 R\n>>\nendobj\n"
      "4 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Name /Im0\n/Width 640\n/Height 480\n"
      "/BitsPerComponent 8\n/Filter [/DCTDecode]\n/ColorSpace /DeviceRGB\n/Length 10000 >>\nstream\n";
  const std::string tail =
      "endstream\nendobj\n"
      "5 0 obj\n<< /Length 6 0 R >>\nstream\nq\n640 0 0 480 0 0 cm\n/Im0 Do\nQ\nendstream\nendobj\n"
      "6 0 obj\n31\nendobj\n"
      "xref\n0 7\n0000000000 65535 f \n0000000009 00000 n \n0000000058 00000 n \n0000000117 00000 n \n"
      "0000000275 00000 n \n0000010456 00000 n \n0000010539 00000 n \n"
      "trailer\n<<\n/Size 7\n/Root 1 0 R\n>>\nstartxref\n10557\n%%EOF\n";
  EXPECT_EQ(pdf.size(), 10762u);
  EXPECT_EQ(pdf, head + jpeg + tail);
  EXPECT_EQ(pdf.substr(10557, 5), "xref\n");
  EXPECT_EQ(pdf.substr(10456, 8), "5 0 obj\n");
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(Jpg2PdfTest, TwoRunsGiveIdenticalFiles) {
  const std::string jpeg = test::TestDataFile("rgb-baseline.jpg");
  const std::string first = Convert(jpeg);
  const std::string second = Convert(jpeg);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first, second);
}

TEST_F(Jpg2PdfTest, RefusesWhatIsNotAnAcceptedJpegWithGetSize) {
  const std::string tag = "[Get Size]\n";
  ExpectRefused("\x89PNG\r\n\x1a\n" + std::string(100, '\0'), tag);
  ExpectRefused(std::string("\xFF\xD8", 2), tag);  // ends before any marker
  ExpectRefused("", tag);
  ExpectRefused(JpegBuilder().Frame(0xC0, 32, 24, 1).PaddedTo(200), tag);  // greyscale
  ExpectRefused(JpegBuilder().Frame(0xC0, 32, 24, 2).PaddedTo(200), tag);
  ExpectRefused(JpegBuilder().Segment(0xE0, "JFIF").bytes + "\xFF\xFF" + JpegBuilder().Frame(0xC0, 8, 8, 3).bytes,
                tag);  // fill bytes between segments
  ExpectRefused(JpegBuilder().Segment(0xE0, "JFIF").bytes + "\xFF\xD9", tag);
  // A lossless frame (FF C1) is not a frame the writer knows: skipped, then the file ends.
  ExpectRefused(JpegBuilder().Frame(0xC1, 32, 24, 3).bytes, tag);
  // A frame header cut short.
  ExpectRefused(JpegBuilder().Frame(0xC0, 32, 24, 3).bytes.substr(0, 9), tag);
  // A frame without width or height.
  ExpectRefused(JpegBuilder().Frame(0xC0, 0, 24, 3).PaddedTo(200), tag);
  ExpectRefused(JpegBuilder().Frame(0xC0, 32, 0, 3).PaddedTo(200), tag);
}

// A segment length of 0 or 1 would send the walk backwards for ever.
TEST_F(Jpg2PdfTest, RefusesASegmentLengthBelowTwoInsteadOfLooping) {
  ExpectRefused(std::string("\xFF\xD8\xFF\xE0\x00\x00", 6) + std::string(64, '\0'), "[Get Size]\n");
  ExpectRefused(std::string("\xFF\xD8\xFF\xE0\x00\x01", 6) + std::string(64, '\0'), "[Get Size]\n");
}

TEST_F(Jpg2PdfTest, ReportsTheStepThatFailedAndLeavesNoOutput) {
  CJpg2Pdf writer;
  writer.SetSuccessLine(false);
  EXPECT_FALSE(writer.Convert(folder_ / "out.pdf", folder_ / "missing.jpg"));
  EXPECT_EQ(sink_.Last().prefix, "[Stream Open]\n");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "out.pdf"));

  WriteFile(folder_ / "in.jpg", test::TestDataFile("rgb-baseline.jpg"));
  EXPECT_FALSE(writer.Convert(folder_ / "no-such-folder" / "out.pdf", folder_ / "in.jpg"));
  EXPECT_EQ(sink_.Last().prefix, "[File Create]\n");
  EXPECT_EQ(sink_.Last().id, 30003);

  // The JPEG itself as the output: refused before it is truncated.
  EXPECT_FALSE(writer.Convert(folder_ / "in.jpg", folder_ / "in.jpg"));
  EXPECT_EQ(sink_.Last().prefix, "[File Create]\n");
  EXPECT_EQ(ReadFile(folder_ / "in.jpg"), test::TestDataFile("rgb-baseline.jpg"));
}

// A disk that fills up must not pass for a written file, nor leave a half one;
// a device is no file to replace.
TEST_F(Jpg2PdfTest, AFullDiskIsAFailureAndADeviceIsRefused) {
  WriteFile(folder_ / "in.jpg", test::TestDataFile("rgb-baseline.jpg"));
  WriteFile(folder_ / "out.pdf", "old");
  CJpg2Pdf writer;
  writer.SetSuccessLine(false);
  {
    testing::FileSizeLimit full(100);
    EXPECT_FALSE(writer.Convert(folder_ / "out.pdf", folder_ / "in.jpg"));
  }
  EXPECT_EQ(sink_.Last().id, 30003);
  EXPECT_EQ(sink_.Last().prefix, "[File Write]\n");
  EXPECT_EQ(ReadFile(folder_ / "out.pdf"), "old");
  EXPECT_FALSE(writer.Convert("/dev/full", folder_ / "in.jpg"));
  EXPECT_EQ(sink_.Last().prefix, "[File Create]\n");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(Jpg2PdfTest, EmbedsProgressiveLikeBaselineAndKeepsVersion12) {
  const std::string pdf = Convert(test::TestDataFile("rgb-progressive.jpg"));
  ASSERT_TRUE(converted_);
  EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.2\n");
  EXPECT_NE(pdf.find("/Width 64\n/Height 48\n"), std::string::npos);
  EXPECT_NE(pdf.find("/ColorSpace /DeviceRGB\n/Length"), std::string::npos);
  EXPECT_EQ(pdf.find("/Decode"), std::string::npos);
}

TEST_F(Jpg2PdfTest, GivesCmykItsInvertingDecodeArray) {
  const std::string pdf = Convert(test::TestDataFile("cmyk.jpg"));
  ASSERT_TRUE(converted_);
  EXPECT_NE(pdf.find("/ColorSpace /DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n/Length 664 >>\n"), std::string::npos);
}

TEST_F(Jpg2PdfTest, SkipsSegmentsBeforeTheFrameAndCopiesThemUnchanged) {
  const std::string jpeg = JpegBuilder()
                               .Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14))
                               .Segment(0xE1, std::string(300, 'x'))
                               .Segment(0xFE, "made by a test")
                               .Segment(0xDB, std::string(65, '\1'))
                               .Frame(0xC2, 100, 50, 3)
                               .PaddedTo(1000);
  const std::string pdf = Convert(jpeg);
  ASSERT_TRUE(converted_);
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 100 50 ]\n"), std::string::npos);
  EXPECT_NE(pdf.find("stream\n" + jpeg + "endstream\n"), std::string::npos);
}

TEST_F(Jpg2PdfTest, WritesTheLargestSizeUnsignedAndEndstreamFollowsTheLastJpegByte) {
  std::string jpeg = JpegBuilder().Frame(0xC0, 65535, 65535, 3).PaddedTo(500);
  jpeg.back() = '\xD9';
  const std::string pdf = Convert(jpeg);
  ASSERT_TRUE(converted_);
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 65535 65535 ]\n"), std::string::npos);
  EXPECT_NE(pdf.find("q\n65535 0 0 65535 0 0 cm\n/Im0 Do\nQ\n"), std::string::npos);
  // Content length: 2 + (5 + 5 + 13) + 8 + 2.
  EXPECT_NE(pdf.find("6 0 obj\n35\nendobj\n"), std::string::npos);
  const std::size_t start = pdf.find("stream\n") + 7;
  EXPECT_EQ(pdf.substr(start, jpeg.size()), jpeg);
  EXPECT_EQ(pdf.substr(start + jpeg.size(), 10), "endstream\n");
}

TEST_F(Jpg2PdfTest, RealJpegsGiveFilesThatQpdfAcceptsAndPopplerMeasures) {
  for (const char* name : {"rgb-baseline.jpg", "rgb-progressive.jpg", "cmyk.jpg"}) {
    WriteFile(folder_ / "in.jpg", test::TestDataFile(name));
    CJpg2Pdf writer;
    writer.SetSuccessLine(false);
    ASSERT_TRUE(writer.Convert(folder_ / "out.pdf", folder_ / "in.jpg")) << name;
    test::ExpectQpdfCheckClean(folder_ / "out.pdf");
    const test::CommandResult info = test::RunCommand("pdfinfo " + test::Quoted(folder_ / "out.pdf"));
    EXPECT_NE(info.output.find(std::string("cmyk.jpg") == name ? "32 x 24 pts" : "64 x 48 pts"), std::string::npos)
        << info.output;
  }
}

TEST(JpegHeader, FileAndMemoryWalksAgree) {
  struct Case {
    const char* name;
    std::optional<JpegFrameInfo> expected;
  };
  const Case cases[] = {
      {"rgb-baseline.jpg", JpegFrameInfo{64, 48, false}},
      {"rgb-progressive.jpg", JpegFrameInfo{64, 48, false}},
      {"cmyk.jpg", JpegFrameInfo{32, 24, true}},
      {"grey.jpg", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::string bytes = test::TestDataFile(c.name);
    ASSERT_FALSE(bytes.empty()) << c.name;
    EXPECT_EQ(ReadJpegHeader(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())),
              c.expected)
        << c.name;
    std::FILE* f = std::fopen((std::filesystem::path(PLUME_TEST_DATA_DIR) / "capture" / c.name).c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadJpegHeader(f), c.expected) << c.name;
    std::fclose(f);
  }
}

}  // namespace
}  // namespace plume::convert
