#include "convert/TransparencyRules.h"

namespace plume::convert {
namespace {

constexpr std::uint32_t Alpha(std::uint32_t p) { return p >> 24; }
constexpr std::uint32_t Red(std::uint32_t p) { return (p >> 16) & 0xFF; }
constexpr std::uint32_t Green(std::uint32_t p) { return (p >> 8) & 0xFF; }
constexpr std::uint32_t Blue(std::uint32_t p) { return p & 0xFF; }
constexpr std::uint32_t Pack(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}
constexpr document::ColorRef kWhite = 0x00FFFFFF;

}  // namespace

document::ColorRef PixelColour(std::uint32_t p) {
  return document::Rgb(static_cast<int>(Red(p)), static_cast<int>(Green(p)), static_cast<int>(Blue(p)));
}

std::uint32_t OpaquePixel(document::ColorRef c) {
  const auto u = static_cast<std::uint32_t>(c);
  return Pack(0xFF, u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
}

void ClearPixelsTake(platform::PixelImage& image, std::uint32_t background) {
  for (auto& p : image.pixels)
    if (Alpha(p) == 0) p = background & 0x00FFFFFF;
}

document::ColorRef FirstClearColour(const platform::PixelImage& image) {
  for (const auto p : image.pixels)
    if (Alpha(p) == 0) return PixelColour(p);
  return document::kNoColor;
}

void RecolourClearPixels(platform::PixelImage& image, document::ColorRef key) {
  const std::uint32_t rgb = OpaquePixel(key) & 0x00FFFFFF;
  for (auto& p : image.pixels)
    if (Alpha(p) == 0) p = rgb;
}

void ApplyLowColourRules(platform::PixelImage& image, document::ColorRef& transColor) {
  if (transColor == document::kNoColor) return;
  const std::uint32_t nearWhite = Pack(0, 255, 247, 255);
  if (transColor == kWhite) {
    for (auto& p : image.pixels) {
      const bool light = Red(p) >= 240 && Green(p) >= 240 && Blue(p) >= 240;
      if (light && (p & 0x00FFFFFF) != 0x00FFFFFF) p = (p & 0xFF000000) | nearWhite;
    }
  } else if (transColor == 0) {
    for (auto& p : image.pixels) {
      const bool dark = Red(p) < 16 && Green(p) < 16 && Blue(p) < 16;
      if (dark && (p & 0x00FFFFFF) != 0) p = (p & 0xFF000000) | Pack(0, 0, 8, 0);
    }
  } else {
    for (auto& p : image.pixels) {
      if (Alpha(p) == 0)
        p = 0x00FFFFFF;
      else if ((p & 0x00FFFFFF) == 0x00FFFFFF)
        p = (p & 0xFF000000) | nearWhite;
    }
    transColor = kWhite;
  }
}

void FlattenOntoKey(platform::PixelImage& image, document::ColorRef key) {
  const std::uint32_t k = OpaquePixel(key);
  const std::uint32_t kr = Red(k), kg = Green(k), kb = Blue(k);
  const std::uint32_t movedGreen = kg < 8 ? kg + 8 : kg - 8;
  for (auto& p : image.pixels) {
    const std::uint32_t alpha = Alpha(p);
    if (alpha == 0) {
      p = k;
    } else if (alpha == 255) {
      if ((p & 0x00FFFFFF) == (k & 0x00FFFFFF)) p = Pack(0xFF, kr, movedGreen, kb);
    } else {
      // `a` is single precision; the mix after it is evaluated in double, which
      // gives (255, 126, 126) for (255, 0, 0, 128) onto white.
      const double a = static_cast<float>(alpha) / 255.0f;
      auto mix = [a](std::uint32_t keyChannel, std::uint32_t c) {
        return static_cast<std::uint32_t>((keyChannel * (1 - a) + c * a) / ((a + 1) - a));
      };
      p = Pack(0xFF, mix(kr, Red(p)), mix(kg, Green(p)), mix(kb, Blue(p)));
    }
  }
}

}  // namespace plume::convert
