#include "convert/CJpg2Pdf.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "convert/JpegHeader.h"
#include "convert/PdfOutput.h"
#include "platform/Messages.h"
#include "platform/FileDescriptor.h"
#include "platform/UserOutput.h"

namespace plume::convert {
namespace {

using platform::StringId;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool Fail(const char* tag) {
  platform::ShowMessage(StringId::PdfCreateFailed, tag, platform::MsgIcon::Error);
  return false;
}

// Content stream of the page: draws image /Im0 over the whole page.
std::string PageContent(int width, int height) {
  return "q\n" + DecimalText(width) + " 0 0 " + DecimalText(height) + " 0 0 cm\n/Im0 Do\nQ\n";
}

}  // namespace

bool CJpg2Pdf::Convert(const std::filesystem::path& pdfPath, const std::filesystem::path& jpegPath) {
  // Only a regular file is read: a FIFO would block, a device never end.
  FilePtr jpeg(platform::IsRegularFile(jpegPath) ? std::fopen(jpegPath.c_str(), "rb") : nullptr);
  if (!jpeg) return Fail("[Stream Open]\n");
  const std::optional<JpegFrameInfo> info = ReadJpegHeader(jpeg.get());
  if (!info) return Fail("[Get Size]\n");

  // Writing over the JPEG itself would truncate it before it is copied.
  std::error_code ec;
  if (std::filesystem::equivalent(pdfPath, jpegPath, ec)) return Fail("[File Create]\n");
  PdfOutput out;
  if (!out.Open(pdfPath, !scratchOutput_)) return Fail("[File Create]\n");
  const int w = info->width;
  const int h = info->height;

  out.Write("%PDF-1.2\n");
  out.BeginObject(1);
  out.Write("1 0 obj\n<<\n/Type /Catalog\n/Pages 2 0 R\n>>\nendobj\n");
  out.BeginObject(2);
  out.Write("2 0 obj\n<<\n/Type /Pages\n/Kids [ 3 0 R ]\n/Count 1\n>>\nendobj\n");
  out.BeginObject(3);
  out.Write(
      "3 0 obj\n<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n/XObject << /Im0 4 0 R >>\n"
      "/ProcSet [ /PDF /ImageC ]\n>>\n/MediaBox [ 0 0 ");
  out.WriteNumber(w);
  out.Write(" ");
  out.WriteNumber(h);
  out.Write(" ]\n/Contents 5 0 R\n>>\nendobj\n");
  out.BeginObject(4);
  out.Write("4 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Name /Im0\n/Width ");
  out.WriteNumber(w);
  out.Write("\n/Height ");
  out.WriteNumber(h);
  out.Write("\n/BitsPerComponent 8\n/Filter [/DCTDecode]\n");
  out.Write(info->cmyk ? "/ColorSpace /DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n" : "/ColorSpace /DeviceRGB\n");

  // The stream is the whole JPEG file, measured and read from its first byte.
  if (std::fseek(jpeg.get(), 0, SEEK_END) != 0) return Fail("[Copy Stream]\n");
  const long size = std::ftell(jpeg.get());
  if (size < 0 || std::fseek(jpeg.get(), 0, SEEK_SET) != 0) return Fail("[Copy Stream]\n");
  out.Write("/Length ");
  out.WriteNumber(size);
  out.Write(" >>\nstream\n");
  const auto n = static_cast<std::size_t>(size);
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[n == 0 ? 1 : n]);
  if (!buffer) return Fail("[Copy Stream]\n");
  // A JPEG that shrank since it was measured would leave a stream shorter than its /Length.
  if (std::fread(buffer.get(), 1, n, jpeg.get()) != n) return Fail("[Copy Stream]\n");
  out.Write(buffer.get(), n);
  buffer.reset();
  out.Write("endstream\nendobj\n");

  const std::string content = PageContent(w, h);
  out.BeginObject(5);
  out.Write("5 0 obj\n<< /Length 6 0 R >>\nstream\n");
  out.Write(content);
  out.Write("endstream\nendobj\n");
  out.BeginObject(6);
  out.Write("6 0 obj\n");
  out.WriteNumber(static_cast<long long>(content.size()));
  out.Write("\nendobj\n");
  out.WriteXrefAndTrailer(6);

  jpeg.reset();
  if (!out.Close()) return Fail("[File Write]\n");
  if (successLine_) {
    std::fputs("\nSuccess!\n", stdout);
    std::fflush(stdout);
  }
  return true;
}

}  // namespace plume::convert
