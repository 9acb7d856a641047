#include "convert/BmpTransparency.h"

#include <string_view>

#include "convert/ImageFileBytes.h"
#include "platform/Messages.h"

namespace plume::convert {
namespace {

std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

}  // namespace

BmpTransparencyStatus BmpTransparencyOf(std::span<const std::uint8_t> bytes, document::ColorRef& colour) {
  colour = document::kNoColor;
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return BmpTransparencyStatus::NotBmp;
  // Too short for a header: nothing to read, so no colour.
  if (bytes.size() < 38 || Le(bytes, 28, 2) != 32) return BmpTransparencyStatus::Ok;
  const std::size_t start = Le(bytes, 10, 4);
  const std::size_t count = Le(bytes, 34, 4) / 4;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = start + i * 4;
    if (at < start || at + 4 > bytes.size()) break;
    const std::uint8_t alpha = bytes[at + 3];
    if (alpha == 0 || alpha == 237) {
      colour = document::Rgb(bytes[at + 2], bytes[at + 1], bytes[at]);
      break;
    }
  }
  return BmpTransparencyStatus::Ok;
}

bool ReadBmpTransparency(const std::filesystem::path& path, document::ColorRef& colour) {
  colour = document::kNoColor;
  FileReadError readError;
  const auto bytes = ReadWholeFile(path, readError);
  std::string_view tag;
  if (!bytes) {
    tag = readError == FileReadError::Open     ? "ファイルオープンエラー\n"
          : readError == FileReadError::Memory ? "メモリ確保エラー\n"
                                               : "データ読込みエラー\n";
  } else if (BmpTransparencyOf(*bytes, colour) == BmpTransparencyStatus::Ok) {
    return true;
  } else {
    tag = "形式判別エラー\n";
  }
  colour = document::kNoColor;
  platform::ShowMessage(platform::StringId::BmpInfoFailed, tag, platform::MsgIcon::Error);
  return false;
}

}  // namespace plume::convert
