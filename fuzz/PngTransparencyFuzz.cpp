// The PNG transparency reader on arbitrary bytes: it must end, never read
// outside the input, and give -1 or a 24-bit colour.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "convert/PngTransparency.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plume::document::ColorRef colour = 0;
  const auto status = plume::convert::PngTransparencyOf(std::span<const std::uint8_t>(data, size), colour);
  if (colour != plume::document::kNoColor && (colour < 0 || colour > 0xFFFFFF)) std::abort();
  if (status != plume::convert::PngTransparencyStatus::Ok && colour != plume::document::kNoColor) std::abort();
  return 0;
}
