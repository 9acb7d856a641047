#include "convert/CTxt2Pdf.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <new>
#include <string_view>

#include "convert/PdfOutput.h"
#include "convert/TextLines.h"
#include "platform/Messages.h"
#include "platform/FileDescriptor.h"
#include "platform/UserOutput.h"

namespace plume::convert {
namespace {

using platform::StringId;

constexpr std::string_view kFontName = "F0";
constexpr std::string_view kEncoding = "90ms-RKSJ-H";
constexpr std::string_view kWidths = "231 389 500 631 631 500";

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool Fail(std::string_view tag) {
  platform::ShowMessage(StringId::PdfTextWriteFailed, tag, platform::MsgIcon::Error);
  return false;
}

// The whole file; false when a read fails.
bool ReadAll(std::FILE* file, std::string& text) {
  char chunk[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    text.append(chunk, got);
    if (got < sizeof chunk) return !std::ferror(file);
  }
}

// "%f": six decimals, always with a point whatever the process locale says.
std::string FixedText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}

// "<...>": each byte as two lower-case hexadecimal digits.
void AppendHexString(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += '<';
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  out += '>';
}

void WriteFont(PdfOutput& out) {
  out.BeginObject(3);
  std::string text = "3 0 obj\n<<\n/Type /Font\n/Name /";
  text += kFontName;
  text += "\n/BaseFont /HeiseiKakuGo-W5-";
  text += kEncoding;
  text += "\n/Subtype /Type0\n/Encoding /";
  text += kEncoding;
  text +=
      "\n/DescendantFonts [ << /Type /Font /Subtype /CIDFontType0 /BaseFont /HeiseiKakuGo-W5\n"
      "/FontDescriptor << /Type /FontDescriptor /FontName /HeiseiKakuGo-W5 /ItalicAngle 0 "
      "/FontBBox [ -92 -250 1010 922 ]\n"
      "/Style << /Panose <0801020B0600000000000000>>> /Ascent 752 /CapHeight 737 /Descent -221\n"
      "/Flags 4 /StemV 114 /XHeight 553 >>\n"
      "/CIDSystemInfo << /Registry (Adobe)/Ordering (Japan1)/Supplement 2 >>\n"
      "/DW 1000 /W [ ";
  text += kWidths;
  text += " ] >>\n]\n>>\nendobj\n";
  out.Write(text);
}

}  // namespace

int CTxt2Pdf::LinesPerPage(std::size_t lineCount) {
  const int usableHeight = kPageHeight - 2 * kMarginY;
  int k = 0;
  while ((k + 1) * kFontSize < usableHeight) ++k;
  return lineCount < static_cast<std::size_t>(k) ? static_cast<int>(lineCount) : k;
}

std::string CTxt2Pdf::TextObject(const std::vector<std::string>& lines) {
  std::string text;
  if (lines.empty()) return text;
  text = "BT\n/";
  text += kFontName;
  text += " " + DecimalText(kFontSize) + " Tf\n";
  const double y = static_cast<double>(kPageHeight) - kMarginY - kFontSize * 0.87;
  text += "0 0 0 rg " + DecimalText(kFontSize) + " TL " + DecimalText(kMarginX) + " " + FixedText(y) + " Td ";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "T* ";
    AppendHexString(text, lines[i]);
    text += " Tj\n";
  }
  text += "ET\n";
  return text;
}

void CTxt2Pdf::WritePages(PdfOutput& out, const std::vector<std::string>& lines,
                          std::vector<int>& pageObjects) const {
  const std::size_t perPage = static_cast<std::size_t>(LinesPerPage(lines.size()));
  const std::size_t pageCount = lines.empty() ? 1 : (lines.size() + perPage - 1) / perPage;
  int number = 4;
  std::vector<std::string> pageLines;
  for (std::size_t page = 0; page < pageCount; ++page, number += 3) {
    pageObjects.push_back(number);
    out.BeginObject(number);
    std::string head = DecimalText(number) + " 0 obj\n<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n/Font << /";
    head += kFontName;
    head += " 3 0 R >>\n/ProcSet [ /PDF /Text ]\n>>\n/MediaBox [ 0 0 " + DecimalText(pageWidth_) + " " +
            DecimalText(kPageHeight) + " ]\n/Contents " + DecimalText(number + 1) + " 0 R\n>>\nendobj\n";
    out.Write(head);

    const std::size_t first = page * perPage;
    const std::size_t last = std::min(lines.size(), first + perPage);
    pageLines.assign(lines.begin() + static_cast<std::ptrdiff_t>(std::min(first, lines.size())),
                     lines.begin() + static_cast<std::ptrdiff_t>(last));
    const std::string content = TextObject(pageLines);
    out.BeginObject(number + 1);
    out.Write(DecimalText(number + 1) + " 0 obj\n<< /Length " + DecimalText(number + 2) + " 0 R >>\nstream\n");
    out.Write(content);
    out.Write("endstream\nendobj\n");
    out.BeginObject(number + 2);
    out.Write(DecimalText(number + 2) + " 0 obj\n" + DecimalText(static_cast<long long>(content.size())) +
              "\nendobj\n");
  }
}

bool CTxt2Pdf::Convert(const std::filesystem::path& textPath, const std::filesystem::path& pdfPath,
                       std::uint16_t pageWidth) {
  // Narrower pages leave no room between the margins: refused before any file is touched.
  if (pageWidth < kMinPageWidth) {
    platform::ShowMessage(StringId::PdfPageTooNarrow, DecimalText(pageWidth) + " < " + DecimalText(kMinPageWidth) + "\n",
                          platform::MsgIcon::Error);
    return false;
  }
  pageWidth_ = pageWidth;
  try {
    // Only a regular file is read: a FIFO would block, a device never end.
    FilePtr text(platform::IsRegularFile(textPath) ? std::fopen(textPath.c_str(), "rb") : nullptr);
    if (!text) return Fail("読み込みファイルオープンエラー\n");
    // Writing over the text file itself would truncate it before it is read.
    std::error_code ec;
    const bool sameFile = std::filesystem::equivalent(textPath, pdfPath, ec);
    PdfOutput out;
    if (sameFile || !out.Open(pdfPath)) {
      text.reset();
      return Fail("書き込みファイル作成エラー\n");
    }

    std::string bytes;
    if (!ReadAll(text.get(), bytes)) return Fail("読み込みファイル読み込みエラー\n");
    text.reset();
    const int usableWidth = pageWidth_ - 2 * kMarginX;
    const std::vector<std::string> lines = WrapTextLines(SplitTextLines(bytes), usableWidth, kFontSize);
    bytes.clear();
    bytes.shrink_to_fit();

    out.Write("%PDF-1.2\n");
    WriteFont(out);
    std::vector<int> pageObjects;
    WritePages(out, lines, pageObjects);

    out.BeginObject(1);
    out.Write("1 0 obj\n<<\n/Type /Catalog\n/Pages 2 0 R\n>>\nendobj\n");
    out.BeginObject(2);
    std::string pages = "2 0 obj\n<<\n/Type /Pages\n/Kids [\n";
    for (const int n : pageObjects) pages += " " + DecimalText(n) + " 0 R\n";
    pages += " ]\n/Count " + DecimalText(static_cast<long long>(pageObjects.size())) + "\n>>\nendobj\n";
    out.Write(pages);
    out.WriteXrefAndTrailer(static_cast<int>(3 * pageObjects.size() + 3));
    if (!out.Close()) return Fail("書き込みファイル書き込みエラー\n");
    return true;
  } catch (const std::bad_alloc&) {
    return Fail("メモリを確保できませんでした。\n");
  }
}

}  // namespace plume::convert
