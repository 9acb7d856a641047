// PDF text through poppler, on PDFs written by our own text-to-PDF writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "convert/CTxt2Pdf.h"
#include "platform/Cp932.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/pdf/PopplerPdfText.h"

namespace plume::platform {
namespace {

namespace fs = std::filesystem;

class PopplerPdfTextTest : public ::testing::Test {
 protected:
  PopplerPdfTextTest() {
    std::random_device rd;
    folder_ = fs::temp_directory_path() / ("plume-pdftext-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(folder_);
  }
  ~PopplerPdfTextTest() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  /// A PDF of `utf8` lines (CR LF joined), written by the text-to-PDF writer.
  fs::path WritePdf(const std::string& utf8) {
    std::ofstream(folder_ / "in.txt", std::ios::binary) << Utf8ToCp932(utf8);
    const fs::path pdf = folder_ / "out.pdf";
    EXPECT_TRUE(convert::CTxt2Pdf().Convert(folder_ / "in.txt", pdf, 595));
    return pdf;
  }

  static std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
  ScriptedMessageSink sink_;
  ScopedMessageSink guard_{&sink_};
  PopplerPdfText pdfText_;
};

TEST_F(PopplerPdfTextTest, GivesJapaneseTextOfEveryPageInOrder) {
  // 70 lines make two pages (65 a page).
  std::string text;
  for (int i = 0; i < 70; ++i) text += "行" + std::to_string(i) + " 日本語のテキスト\r\n";
  const fs::path pdf = WritePdf(text);

  const PdfTextResult fromFile = pdfText_.FromFile(pdf);
  ASSERT_TRUE(fromFile.ok) << fromFile.detail;
  const std::string& got = fromFile.text;
  EXPECT_NE(got.find("行0 日本語のテキスト\n"), std::string::npos);
  EXPECT_NE(got.find("行69 日本語のテキスト"), std::string::npos);
  EXPECT_LT(got.find("行64 "), got.find("行65 "));

  const PdfTextResult fromBytes = pdfText_.FromBytes(Bytes(pdf));
  ASSERT_TRUE(fromBytes.ok);
  EXPECT_EQ(fromBytes.text, got);
}

TEST_F(PopplerPdfTextTest, FailsCleanlyOnInputThatIsNoReadablePdf) {
  const std::string pdf = Bytes(WritePdf("abc\r\n"));
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"text", "hello, this is no PDF"},
      {"header only", "%PDF-1.4\n"},
      {"cut after the header", pdf.substr(0, 40)},
  };
  for (const auto& c : cases) {
    const PdfTextResult r = pdfText_.FromBytes(c.bytes);
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_TRUE(r.text.empty()) << c.name;
    EXPECT_FALSE(r.detail.empty()) << c.name;
  }
  EXPECT_FALSE(pdfText_.FromFile(folder_ / "missing.pdf").ok);
}

TEST_F(PopplerPdfTextTest, StopsWhenAskedBetweenPages) {
  const fs::path pdf = WritePdf("one\r\ntwo\r\n");
  std::stop_source stop;
  stop.request_stop();
  const PdfTextResult r = pdfText_.FromFile(pdf, stop.get_token());
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.text.empty());
}

TEST_F(PopplerPdfTextTest, ServesSeveralThreadsAtOnce) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "スレッド " + std::to_string(i) + "\r\n";
  const std::string bytes = Bytes(WritePdf(text));
  const std::string expected = pdfText_.FromBytes(bytes).text;
  ASSERT_FALSE(expected.empty());
  std::string results[4];
  {
    std::jthread workers[4];
    for (int i = 0; i < 4; ++i) workers[i] = std::jthread([&, i] { results[i] = pdfText_.FromBytes(bytes).text; });
  }
  for (const std::string& r : results) EXPECT_EQ(r, expected);
}

TEST_F(PopplerPdfTextTest, ALongDocumentReadOnSeveralThreadsGivesTheTextOfOneInPageOrder) {
  std::string text;
  for (int i = 0; i < 40 * 65; ++i) text += "頁の行 " + std::to_string(i) + "\r\n";
  const std::string bytes = Bytes(WritePdf(text));
  const PdfTextResult one = PopplerPdfText('\f', 1).FromBytes(bytes);
  const PdfTextResult four = PopplerPdfText('\f', 4).FromBytes(bytes);
  ASSERT_TRUE(one.ok && four.ok);
  EXPECT_LT(one.text.find("頁の行 1299\n"), one.text.find("頁の行 1300\n"));
  EXPECT_NE(one.text.find("頁の行 2599"), std::string::npos);
  EXPECT_EQ(four.text, one.text);
}

}  // namespace
}  // namespace plume::platform
