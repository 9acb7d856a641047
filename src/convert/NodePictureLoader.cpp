#include "convert/NodePictureLoader.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "convert/BmpTransparency.h"
#include "convert/DetectType.h"
#include "convert/ImageFileBytes.h"
#include "convert/PixelScaling.h"
#include "convert/PngTransparency.h"
#include "convert/TransparencyRules.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::convert {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

/// Swallows every message while it lives (quiet reloads).
class QuietSink : public platform::MessageSink {
 public:
  platform::MsgResult Show(const platform::MessageRequest&) override { return platform::MsgResult::Ok; }
};

}  // namespace

std::unique_ptr<platform::Picture> NodePictureLoader::LoadNodePicture(const std::filesystem::path& path,
                                                                      std::string_view typeWord, bool fit,
                                                                      NodePictureSize& size,
                                                                      document::ColorRef& transColor,
                                                                      bool showMessages) {
  QuietSink quiet;
  std::unique_ptr<platform::ScopedMessageSink> silence;
  if (!showMessages) silence = std::make_unique<platform::ScopedMessageSink>(&quiet);
  auto fail = [&]() -> std::unique_ptr<platform::Picture> {
    silence.reset();
    if (showMessages)
      platform::ShowMessage(platform::StringId::ImageLoadFailed, path.string() + "\n", platform::MsgIcon::Error);
    return nullptr;
  };

  const std::string type = Lower(typeWord);
  const bool isBmp = type == "bmp";
  if (isBmp) ReadBmpTransparency(path, transColor);

  FileReadError readError;
  const auto bytes = ReadWholeFile(path, readError);
  if (!bytes) return fail();

  std::unique_ptr<platform::Picture> picture;
  if (type == "jpeg") {
    picture = codec_.DecodePicture(*bytes);
    if (picture) size.pixelWidth = picture->Width(), size.pixelHeight = picture->Height();
  }
  if (!picture) picture = LoadWithTransparency(*bytes, type, isBmp, size, transColor, path);
  if (!picture) return fail();

  size.displayWidth = size.pixelWidth;
  size.displayHeight = size.pixelHeight;
  const int fitWidth = platform::settings::Get(settings_, platform::settings::KanSet::ImageDefW);
  if (fit && fitWidth > 0 && fitWidth < size.pixelWidth) {
    const float ratio = static_cast<float>(fitWidth) / static_cast<float>(size.pixelWidth);
    // A very flat picture keeps one row rather than failing to be redrawn.
    size.displayHeight = std::max(1, static_cast<int>(static_cast<float>(size.pixelHeight) * ratio));
    size.displayWidth = fitWidth;
    std::unique_ptr<platform::Picture> fitted;
    if (type != "jpeg" && transColor != document::kNoColor)
      fitted = Stretch(*picture, size.displayWidth, size.displayHeight);
    else
      fitted = ResampleToJpegPicture(*picture, size.displayWidth, size.displayHeight, false);
    if (!fitted) return fail();
    picture = std::move(fitted);
  }
  return picture;
}

std::unique_ptr<platform::Picture> NodePictureLoader::LoadWithTransparency(const std::vector<std::uint8_t>& bytes,
                                                                           std::string_view type, bool isBmp,
                                                                           NodePictureSize& size,
                                                                           document::ColorRef& transColor,
                                                                           const std::filesystem::path& path) {
  document::ColorRef pngKey = document::kNoColor;
  if (type == "png" && !ReadPngTransparency(path, false, pngKey)) pngKey = document::kNoColor;

  auto pixels = codec_.Decode(bytes);
  if (!pixels) return nullptr;
  // The conversion to a 32-bit bitmap puts clear pixels on the top-left pixel's colour.
  ClearPixelsTake(*pixels, pixels->pixels.front());
  size.pixelWidth = pixels->width;
  size.pixelHeight = pixels->height;

  if (!isBmp) {
    const document::ColorRef clear = FirstClearColour(*pixels);
    if (clear != document::kNoColor) {
      transColor = clear;
      if (pngKey != document::kNoColor && pngKey != clear) {
        RecolourClearPixels(*pixels, pngKey);
        transColor = pngKey;
      }
    }
  }
  if (codec_.ScreenBitsPerPixel() < 24) ApplyLowColourRules(*pixels, transColor);

  if (transColor == document::kNoColor) {
    const auto jpeg =
        codec_.EncodeJpeg(*pixels, platform::settings::Get(settings_, platform::settings::KanSet::Quality));
    return jpeg.empty() ? nullptr : codec_.DecodePicture(jpeg);
  }
  if (!isBmp) FlattenOntoKey(*pixels, transColor);
  return codec_.MakePicture(*pixels);
}

std::unique_ptr<platform::Picture> NodePictureLoader::ResampleToJpegPicture(const platform::Picture& picture,
                                                                            int width, int height,
                                                                            bool showMessages) {
  std::unique_ptr<platform::Picture> result;
  if (width > 0 && height > 0) {
    if (const auto pixels = codec_.PicturePixels(picture)) {
      const auto jpeg = codec_.EncodeJpeg(ScaleSmooth(*pixels, width, height), 100);
      if (!jpeg.empty()) result = codec_.DecodePicture(jpeg);
    }
  }
  if (!result && showMessages)
    platform::ShowMessage(platform::StringId::MemoryAllocFailed, {}, platform::MsgIcon::Error);
  return result;
}

std::unique_ptr<platform::Picture> NodePictureLoader::LoadNodePicture(const std::filesystem::path& file,
                                                                      document::ColorRef& transColor) {
  NodePictureSize size;
  transColor = document::kNoColor;
  return LoadNodePicture(file, DetectType(file.string()), false, size, transColor, false);
}

std::optional<document::NodePicture> NodePictureLoader::LoadNodePicture(const std::filesystem::path& file,
                                                              std::string_view typeWord, bool fit) {
  NodePictureSize size;
  document::NodePicture result;
  result.picture = LoadNodePicture(file, typeWord, fit, size, result.transColor, true);
  if (!result.picture) return std::nullopt;
  result.displayWidth = size.displayWidth;
  result.displayHeight = size.displayHeight;
  result.pixelWidth = size.pixelWidth;
  result.pixelHeight = size.pixelHeight;
  return result;
}

std::unique_ptr<platform::Picture> NodePictureLoader::ResampleToJpeg(const platform::Picture& picture, int width,
                                                                     int height) {
  return ResampleToJpegPicture(picture, width, height, false);
}

std::unique_ptr<platform::Picture> NodePictureLoader::Stretch(const platform::Picture& picture, int width,
                                                              int height) {
  const auto pixels = codec_.PicturePixels(picture);
  if (!pixels || width <= 0 || height <= 0) return nullptr;
  return codec_.MakePicture(StretchNearest(*pixels, width, height));
}

}  // namespace plume::convert
