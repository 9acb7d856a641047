// Feeds arbitrary bytes to the chart data file reader. Whatever it reads must
// leave a consistent document: counts within capacity, at least one page and a
// current page that exists; writing it again must succeed.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "document/ChartFile.h"
#include "platform/Messages.h"

namespace {

using namespace plume;

class SilentSink : public platform::MessageSink {
 public:
  platform::MsgResult Show(const platform::MessageRequest&) override { return platform::MsgResult::Ok; }
};

class OneBytePicture : public platform::Picture {
 public:
  explicit OneBytePicture(platform::Bytes b) : bytes_(std::move(b)) {}
  int Width() const override { return bytes_[0]; }
  int Height() const override { return 1; }
  platform::Bytes EncodedBytes() const override { return bytes_; }
  platform::Bytes BitmapFileCopy() const override { return bytes_; }

 private:
  platform::Bytes bytes_;
};

// Accepts pictures whose first byte is 'I', so both outcomes are exercised.
class ToyCodec : public platform::PictureCodec {
 public:
  std::unique_ptr<platform::Picture> Decode(std::span<const std::uint8_t> b) const override {
    if (b.empty() || b[0] != 'I') return nullptr;
    return std::make_unique<OneBytePicture>(platform::Bytes(b.begin(), b.end()));
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SilentSink sink;
  static platform::ScopedMessageSink guard(&sink);
  static std::unique_ptr<document::ChartDocument> doc = document::ChartDocument::Create();

  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  document::ReadChart(*doc, in, ToyCodec{});
  if (doc->nodeCount < 0 || doc->nodeCount > document::ChartDocument::kMaxNodes ||
      doc->arcCount < 0 || doc->arcCount > document::ChartDocument::kMaxArcs ||
      doc->slipCount < 0 || doc->slipCount > document::ChartDocument::kMaxSlips ||
      doc->header.pageCount < 1 || doc->header.pageCount > document::ChartDocument::kMaxPages ||
      doc->header.currentPage >= doc->header.pageCount)
    std::abort();
  std::ostringstream out;
  if (!document::WriteChart(*doc, out)) std::abort();
  return 0;
}
