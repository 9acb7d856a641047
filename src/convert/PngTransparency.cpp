#include "convert/PngTransparency.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "convert/ImageFileBytes.h"
#include "platform/Messages.h"

namespace plume::convert {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature{137, 80, 78, 71, 13, 10, 26, 10};

// Offset of the first `letters` at or after offset 8.
std::optional<std::size_t> Find(std::span<const std::uint8_t> bytes, std::string_view letters) {
  if (bytes.size() < 8) return std::nullopt;
  const auto it = std::search(bytes.begin() + 8, bytes.end(), letters.begin(), letters.end(),
                              [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
  if (it == bytes.end()) return std::nullopt;
  return static_cast<std::size_t>(it - bytes.begin());
}

std::optional<std::uint8_t> ByteAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at >= bytes.size()) return std::nullopt;
  return bytes[at];
}

document::ColorRef BackgroundColour(std::span<const std::uint8_t> bytes, int colourType) {
  const auto bkgd = Find(bytes, "bKGD");
  if (!bkgd) return document::Rgb(255, 255, 255);
  if (colourType == 4) {
    const auto grey = ByteAt(bytes, *bkgd + 5);
    return grey ? document::Rgb(*grey, *grey, *grey) : document::Rgb(255, 255, 255);
  }
  const auto r = ByteAt(bytes, *bkgd + 5), g = ByteAt(bytes, *bkgd + 7), b = ByteAt(bytes, *bkgd + 9);
  return r && g && b ? document::Rgb(*r, *g, *b) : document::Rgb(255, 255, 255);
}

document::ColorRef PaletteKey(std::span<const std::uint8_t> bytes) {
  const auto trns = Find(bytes, "tRNS");
  if (!trns || *trns == 0) return document::kNoColor;
  const std::size_t count = bytes[*trns - 1];
  std::size_t k = 0;
  for (; k < count; ++k) {
    const auto alpha = ByteAt(bytes, *trns + 4 + k);
    if (!alpha) return document::kNoColor;
    if (*alpha != 255) break;
  }
  if (k == count) return document::kNoColor;
  const auto plte = Find(bytes, "PLTE");
  if (!plte) return document::kNoColor;
  const auto r = ByteAt(bytes, *plte + 4 + 3 * k), g = ByteAt(bytes, *plte + 5 + 3 * k),
             b = ByteAt(bytes, *plte + 6 + 3 * k);
  return r && g && b ? document::Rgb(*r, *g, *b) : document::kNoColor;
}

}  // namespace

PngTransparencyStatus PngTransparencyOf(std::span<const std::uint8_t> bytes, document::ColorRef& colour) {
  colour = document::kNoColor;
  if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin()))
    return PngTransparencyStatus::NotPng;
  const auto ihdr = Find(bytes, "IHDR");
  if (!ihdr) return PngTransparencyStatus::NoColourType;
  const auto colourType = ByteAt(bytes, *ihdr + 13);
  if (!colourType) return PngTransparencyStatus::NoColourType;
  if (*colourType == 4 || *colourType == 6)
    colour = BackgroundColour(bytes, *colourType);
  else if (*colourType == 3)
    colour = PaletteKey(bytes);
  return PngTransparencyStatus::Ok;
}

bool ReadPngTransparency(const std::filesystem::path& path, bool showErrors, document::ColorRef& colour) {
  colour = document::kNoColor;
  FileReadError readError;
  const auto bytes = ReadWholeFile(path, readError);
  PngTransparencyStatus status = PngTransparencyStatus::Ok;
  if (!bytes) {
    status = readError == FileReadError::Open     ? PngTransparencyStatus::OpenFailed
             : readError == FileReadError::Memory ? PngTransparencyStatus::MemoryFailed
                                                  : PngTransparencyStatus::ReadFailed;
  } else {
    status = PngTransparencyOf(*bytes, colour);
  }
  if (status == PngTransparencyStatus::Ok) return true;
  colour = document::kNoColor;
  if (showErrors) {
    std::string_view tag;
    switch (status) {
      case PngTransparencyStatus::OpenFailed: tag = "ファイルオープンエラー\n"; break;
      case PngTransparencyStatus::MemoryFailed: tag = "メモリ確保エラー\n"; break;
      case PngTransparencyStatus::ReadFailed: tag = "データ読込みエラー\n"; break;
      case PngTransparencyStatus::NotPng: tag = "PNGファイル識別エラー\n"; break;
      default: tag = "カラータイプ識別エラー\n"; break;
    }
    platform::ShowMessage(platform::StringId::PngInfoFailed, tag, platform::MsgIcon::Error);
  }
  return false;
}

}  // namespace plume::convert
